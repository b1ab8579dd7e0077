// live_input.cpp -- the user's keys and pointer, held from the window's callbacks until the next tick
#include "flight/live_input.h"

#include "flight/flight_file.h"

#include <algorithm>

static FlightEvent held[kLiveEventSlots];
static int heldCount = 0;
static int taken = 0;  // held events already handed to the ticker

void queueLiveEvent(FlightAction action, int a, int b)
{
    FlightEvent event = {0, action, a, b};
    if (action == kFlightPointer && heldCount > taken && held[heldCount - 1].action == kFlightPointer)
        held[heldCount - 1] = event;
    else if (heldCount < kLiveEventSlots)
        held[heldCount++] = event;
    else if (endsFlight(event))
        held[kLiveEventSlots - 1] = event;
}

bool liveQuitWaiting()
{
    for (int i = taken; i < heldCount; i++) {
        if (endsFlight(held[i]))
            return true;
    }
    return false;
}

void clearLiveEvents()
{
    heldCount = 0;
    taken = 0;
}

static int takeLive(long long tick, FlightEvent* events, int capacity)
{
    // A recording holds ticks up to kFlightMaxTick; a later tick stops it (output/recording.h).
    int stamp = (int)std::min(tick, (long long)kFlightMaxTick + 1);
    int count = std::min(capacity, heldCount - taken);
    for (int i = 0; i < count; i++) {
        events[i] = held[taken + i];
        events[i].tick = stamp;
    }
    taken += count;
    if (taken == heldCount)
        clearLiveEvents();
    return count;
}

static bool holdsLive()
{
    return heldCount > taken;
}

const InputSource& liveInputSource()
{
    static const InputSource source = [] {
        InputSource s = {};
        s.scripted = false;
        s.take = takeLive;
        s.holdsEvents = holdsLive;
        return s;
    }();
    return source;
}

// replay_source.cpp -- the events of the flight file read (flight/flight_file.h), each at its tick
#include "flight/replay_source.h"

#include "flight/flight_file.h"

static int nextEvent = 0;  // the next event of flightEvents to act

void rewindReplay()
{
    nextEvent = 0;
}

static int takeReplayed(long long tick, FlightEvent* events, int capacity)
{
    int count = 0;
    while (count < capacity && nextEvent < flightEventCount && flightEvents[nextEvent].tick <= tick)
        events[count++] = flightEvents[nextEvent++];
    return count;
}

static bool holdsReplayed()
{
    return nextEvent < flightEventCount;
}

const InputSource& replaySource()
{
    static const InputSource source = [] {
        InputSource s = {};
        s.scripted = true;
        s.take = takeReplayed;
        s.holdsEvents = holdsReplayed;
        return s;
    }();
    return source;
}

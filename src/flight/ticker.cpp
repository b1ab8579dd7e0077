// ticker.cpp -- one tick of the flight: its events from every source in a fixed order, the
// recording as their sink, then the advance
#include "flight/ticker.h"

// Requests that flip something: two in one tick cancel out.
static const int kTickToggles = kRequestFullScreen | kRequestHud;

static const InputSource* sources[kTickerSourceSlots];
static int sourceCount = 0;
static bool (*recordSink)(const FlightEvent& event) = nullptr;

void setTickerSources(const InputSource* const* given, int count, bool (*record)(const FlightEvent& event))
{
    sourceCount = count < kTickerSourceSlots ? count : kTickerSourceSlots;
    for (int i = 0; i < sourceCount; i++)
        sources[i] = given[i];
    recordSink = record;
}

bool tickerReplaying()
{
    for (int i = 0; i < sourceCount; i++) {
        if (sources[i]->scripted && sources[i]->holdsEvents())
            return true;
    }
    return false;
}

// One event through the tick's one path: the filter, the sink, the flight.
static int takeEvent(const InputSource& source, const FlightEvent& event)
{
    bool ends = endsFlight(event);
    if (!source.scripted && !ends && tickerReplaying())
        return kRequestNone;
    if (recordSink != nullptr && !recordSink(event))
        return kTickRecordFailed;
    int requests = applyFlightEvent(event);
    return ends ? requests | kTickEnded : requests;
}

int takeTickEvents()
{
    static FlightEvent events[kTickEventSlots];
    int requests = kRequestNone;
    for (int i = 0; i < sourceCount; i++) {
        const InputSource& source = *sources[i];
        // A source with more than a batch hands the rest over in the next call of the same tick.
        for (int count = source.take(flightTick, events, kTickEventSlots); count > 0;
             count = count == kTickEventSlots ? source.take(flightTick, events, kTickEventSlots) : 0) {
            for (int e = 0; e < count; e++) {
                int asked = takeEvent(source, events[e]);
                requests = ((requests | asked) & ~kTickToggles) | ((requests ^ asked) & kTickToggles);
                if ((requests & (kTickEnded | kTickRecordFailed)) != 0)
                    return requests;
            }
        }
    }
    return requests;
}

int stepTicker()
{
    int requests = takeTickEvents();
    if ((requests & (kTickEnded | kTickRecordFailed)) == 0)
        advanceTick();
    return requests;
}

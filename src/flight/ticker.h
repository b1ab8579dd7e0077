// ticker.h -- one tick of the flight: its events from every source in a fixed order, the
// recording as their sink, then the advance
#pragma once

#include "flight/input_source.h"

inline constexpr int kTickerSourceSlots = 4;   // sources one run may have
inline constexpr int kTickEventSlots = 512;    // events one source hands over at a time

// What a tick asks of the run, as bits: the FlightRequest bits of its events (flight/
// flight_input.h), and these.
enum TickOutcome {
    kTickEnded = 1 << 8,         // an event ended the flight: nothing after it was taken, no advance
    kTickRecordFailed = 1 << 9,  // the recording could not be written: the tick stopped there
};

// The sources, asked in this order in every tick (the run gives the gamepad, then the live
// events, then the flight file), and the sink every event taken goes to before it acts
// (nullptr: none). The sink returns false when it could not keep the event.
void setTickerSources(const InputSource* const* sources, int count, bool (*record)(const FlightEvent& event));

// Takes the events due at flightTick from every source in order and for each, in turn: drops
// it when a scripted source still holds events and it does not end the flight; hands it to the
// sink; applies it (applyFlightEvent). Stops after the first event that ends the flight, or
// that the sink refuses. Returns the requests of the events taken, with kTickEnded or
// kTickRecordFailed when the tick stopped early: kRequestFullScreen and kRequestHud each when
// an odd number of events asked for it (two toggles in one tick cancel out), the others when
// any event did. The flight does not advance.
int takeTickEvents();

// One tick: takeTickEvents, then, unless it stopped early, advanceTick. Returns what
// takeTickEvents returned.
int stepTicker();

// True while a scripted source still holds events: a replay is under way.
bool tickerReplaying();

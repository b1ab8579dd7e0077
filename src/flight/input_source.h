// input_source.h -- one source of the flight's events: the user's live input, a gamepad, a flight file
#pragma once

#include "flight/flight_input.h"

// The ticker (flight/ticker.h) asks each source in turn, once a tick, for the events due at that
// tick. A source knows nothing of the others, of the recording or of the window: it only hands
// over events, in the order they are to act.
struct InputSource {
    // True for a flight file: while such a source still holds events, the other sources' events
    // are dropped, all but one that ends the flight, so a replay goes as it was recorded and the
    // user can still always end the program.
    bool scripted;
    // Writes the events due at tick, in order, into events (room for capacity), takes them out of
    // the source and returns how many. Events that do not fit stay for the next call.
    int (*take)(long long tick, FlightEvent* events, int capacity);
    // True while the source holds events that are yet to act.
    bool (*holdsEvents)();
};

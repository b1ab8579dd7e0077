// live_input.h -- the user's keys and pointer, held from the window's callbacks until the next tick
#pragma once

#include "flight/input_source.h"

inline constexpr int kLiveEventSlots = 256;  // live events waiting for the next tick

// Holds one key, special key or pointer event from the window system. Pointer motion between
// two ticks counts once, at its last place. When the slots are full an event is dropped, but
// one that ends the flight takes the last slot, so Q is never lost.
void queueLiveEvent(FlightAction action, int a, int b);

// True when a held event ends the flight: the run takes the tick's events at once rather than
// wait for the tick to be due.
bool liveQuitWaiting();

// Drops every held event.
void clearLiveEvents();

// The source the ticker takes the held events from, stamped with the tick they act at.
const InputSource& liveInputSource();

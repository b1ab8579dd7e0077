// replay_source.h -- the events of the flight file read (flight/flight_file.h), each at its tick
#pragma once

#include "flight/input_source.h"

// Starts the replay again from the first event of flightEvents.
void rewindReplay();

// The scripted source that hands over the flight file's events of each tick, in file order.
const InputSource& replaySource();

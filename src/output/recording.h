// recording.h -- the flight's events written to a flight file as they are applied (--record)
#pragma once

#include "flight/flight_input.h"

// Creates the file that file reaches (findOutputTarget, output/output_file.h) for writing,
// replacing it; standard output or error is written where it is. Returns false with one line on
// standard error when it cannot be created.
bool openRecording(const char* file);

// Writes event as one line, whole or not at all, when a recording is open. Past the last tick a
// flight file can hold the recording stops with one line on standard error and the file stays
// valid. Returns false, with one line naming the file and the reason, when the write fails
// (past a file-size limit too); the file is then cut back to its last whole line, so it is
// still a flight file, and the recording is closed.
bool recordEvent(const FlightEvent& event);

// Ends the recording with a quit at tick (unless its last event already ends the flight) so its
// replay ends at the same tick, written as every line is, and closes the file. Returns false, with one line naming the
// file and the reason, when that write or the close fails. Does nothing without a recording.
bool closeRecording(long long tick);

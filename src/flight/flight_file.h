// flight_file.h -- flight files: one input event per line, read into a table and written back
#pragma once

#include "flight/flight_input.h"

#include <cstddef>
#include <cstdio>

// A flight file is plain text. Each line holds one event, "TICK ACTION ARGUMENTS", separated by
// spaces or tabs; '#' starts a comment; blank lines are allowed; a line may end in CR LF, and a
// UTF-8 byte-order mark at the start of the file is skipped. Actions:
//   pointer X WIDTH   the pointer at column X (-100000..100000) of a window WIDTH (1..100000) wide
//   key C             one printable ASCII character, 33..126 ('#' cannot be written: it is a comment)
//   special NAME      up, down, page_up or page_down
//   quit              ends the program as Q does
// TICK is 0..1000000000 and never decreases from one event to the next. Tick T is the moment
// after T advances of the flight: its frame is drawn first, then its events take effect, then
// the flight advances to tick T + 1. So the events of tick T show from frame T + 1 on.

inline constexpr int kFlightMaxTick = 1000000000;
inline constexpr int kFlightMaxCoordinate = 100000;   // pixels: bound of X and of WIDTH
inline constexpr int kFlightFirstKey = 33;            // the printable ASCII characters a key event
inline constexpr int kFlightLastKey = 126;            // may hold: '!' to '~'
inline constexpr int kFlightLineChars = 200;          // longest line, without its line end
inline constexpr int kFlightEventSlots = 1000000;     // events one file may hold

extern FlightEvent flightEvents[kFlightEventSlots];  // the events read; written by readFlightFile
extern int flightEventCount;                        // events in flightEvents; written by readFlightFile

// Reads the flight file at path into flightEvents. On success returns true. Otherwise leaves no
// events, writes one line without a line end into message, "brinewings: FILE:LINE: REASON" (or
// "brinewings: FILE: REASON" when the file cannot be opened or read), and returns false. A file
// with more than kFlightEventSlots events is refused on the first event that does not fit.
bool readFlightFile(const char* path, char* message, size_t messageSize);

// The same from an open stream, read to its end and left open; path names it in the message.
bool readFlightStream(FILE* file, const char* path, char* message, size_t messageSize);

// The tick at which the events read end the flight: that of the first event that ends it
// (endsFlight), else one past the last event's tick, so the frame that shows them is drawn; 0
// without events. *quits, when given, tells whether an event ends it.
long long flightFileEnd(bool* quits);

// The longest line formatFlightEvent writes, its line end and terminating zero included.
inline constexpr int kFlightLineBytes = 64;

// Formats event as one flight-file line, line end included, into line (size bytes, at least
// kFlightLineBytes) and returns its length. Only events that readFlightFile accepts may be
// formatted ('#' is not a key).
int formatFlightEvent(char* line, size_t size, const FlightEvent& event);

// Writes event as one flight-file line, line end included, to out; returns false when the
// write fails. Only events that readFlightFile accepts may be written ('#' is not a key).
bool writeFlightEvent(FILE* out, const FlightEvent& event);

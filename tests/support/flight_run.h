// flight_run.h -- runs the real binary on a flight file and reads back the frames it captured
#pragma once

#include "support/e2e.h"

struct FlightRun {
    int status = -1;                // exit status; -1 when killed or timed out
    std::string out;                // standard output
    std::string err;                // standard error
    std::vector<Screenshot> shots;  // one per tick asked for, in that order; empty when unreadable
};

// Writes flight into data as test.flight, runs the program there with --replay test.flight,
// one --screenshot per tick and the extra arguments, for at most 120 s, and collects the result.
// With --offscreen, or a WAYLAND_DISPLAY in environment, the program runs without DISPLAY, as on a
// machine with no X server;
// environment holds more NAME=VALUE settings for it.
FlightRun flyFlight(const DataFolder& data, const std::string& flight, const std::vector<int>& ticks = {},
                    const std::string& extraArguments = "", const std::string& environment = "");

// A whole file's bytes, or an RGB PNG file; empty when it cannot be read.
std::string readFile(const std::string& file);
Screenshot readPng(const std::string& file);

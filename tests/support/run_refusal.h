// run_refusal.h -- a command line taken through the checks the program makes before its window
// opens, and a folder of flight files for it, for the run options' tests
#pragma once

#include "cli/run_options.h"

#include <string>

// Parses a command line written as one string split at spaces, then, as the program does
// before its window opens, reads the --replay file and checks the outputs. Returns the refusal,
// or "" when the line is taken.
std::string refusal(const std::string& line, RunOptions* options);

// Makes a scratch folder holding mine.flight (a quit at tick 100), noquit.flight (no quit) and
// the folder sub, and enters it. Returns its real path, '/' separated, or "" when it cannot.
std::string enterOptionsFolder();

// Goes back to the folder enterOptionsFolder left, and removes the one it made.
void leaveOptionsFolder(const std::string& folder);

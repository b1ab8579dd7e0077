// controls.h -- the summary of the controls, as start-up and --help print it
#pragma once

#include <cstdio>

// Writes the twelve-line controls summary, "== CONTROLS ==" first, to out and flushes it, so it
// shows at once even when out is a pipe or a log file.
void printControls(FILE* out);

// controls.h -- the summary of the controls, as start-up and --help print it
#pragma once

#include <cstdio>

// Writes the twelve-line controls summary, "== CONTROLS ==" first, to out.
void printControls(FILE* out);

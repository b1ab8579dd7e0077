// run_signals.h -- a scripted run ended by a signal through its one end, with its report
#pragma once

// For scripted runs only: SIGINT, SIGTERM and SIGHUP are noted (stopSignal) for the run loop to
// end the run at its next tick, with its recording closed and its figures and files written; a
// second one ends the program at once. SIGPIPE is ignored, so a closed pipe on standard output
// is a failed write like any other. SIGXFSZ is ignored, so a write past a file-size limit fails
// with EFBIG and is reported. A plain run installs none of this.
void installRunSignals();

// The signal that asked the run to stop, or 0.
int stopSignal();

// "SIGINT", "SIGTERM" or "SIGHUP".
const char* stopSignalName(int signal);

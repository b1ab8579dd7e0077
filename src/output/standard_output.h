// standard_output.h -- standard output is an output of the run: its failures are reported
#pragma once

// Flushes standard output. When a write to it fails, its errno is kept for
// finishStandardOutput, which may find nothing left to write and so no errno of its own.
void flushStandardOutput();

// Flushes standard output; false, after "brinewings: standard output: REASON" on standard
// error, when any write to it failed. REASON is the error of the write that failed.
bool finishStandardOutput();

// output_check.h -- the files a run will write, checked before the window opens
#pragma once

#include "cli/run_options.h"

#include <cstddef>

// Checks every output of options (each --screenshot FILE, --record FILE, --results FILE) before
// anything is written, so a run cannot fail late or destroy its own inputs. Refused, with one
// line without a line end in message:
//   - an output whose folder does not exist or cannot be written in, or that is a folder; a name
//     longer than its file system takes; a loop of symbolic links. An output is judged by the
//     file a write reaches (findOutputTarget, output/output_file.h), a dangling link followed to
//     the name it would create;
//   - two outputs that name the same file, or an output that names an input: flightFile (may
//     be null), cessna.txt, propeller.txt, sea02.jpg or sky08.jpg in the working directory.
//     Paths are compared resolved (the folder's real path and the name), and by device and
//     inode where both files exist, so ./x, x, a symbolic link and a hard link all match.
//     An output that exists and is neither a regular file nor a folder (a device, a pipe) is
//     written in place and compared with nothing; standard output or error (/dev/stdout) is
//     written in place and compared with the inputs only;
//   - a screenshot of a tick the flight never draws: past the first quit (a quit event, key q
//     or Q) of the flight read into flightEvents (flight/flight_file.h), or, with --benchmark,
//     past the tick after its last event, where the benchmark ends.
bool checkRunOutputs(const RunOptions& options, const char* flightFile, char* message, size_t messageSize);

// Gives standard output to the outputs of options that reach it (keepStandardOutputFor,
// output/output_file.h), once they are checked: the program's own lines then go to standard error.
// Returns false after one line on standard error when it cannot.
bool keepStandardOutputForOutputs(const RunOptions& options);

// output_file.h -- a run's output files written whole or not at all, every write checked
#pragma once

#include "os/os.h"

#include <cstddef>
#include <string>

// A named pipe with no reader yet is waited for this long before its write fails.
inline constexpr int kRunOutputSlots = 258;  // files one run may write: its screenshots, --record and --results
inline constexpr long long kPipeReaderWaitNs = 10000000000LL;

// The file a write to an output path reaches.
struct OutputTarget {
    std::string path;  // where it is: the path followed through every symbolic link
    OsFileInfo file;   // what the system says of it; file.exists tells whether there is one
    int stream;        // 1 or 2 when it is the program's standard output or error, else 0
    bool inPlace;      // written as it is, never replaced: a stream, or not a regular file
};

// Finds the file a write to file reaches. An existing file is found by the kernel (so
// /dev/stdout and /proc/self/fd/N reach what the descriptor holds); a path that reaches no file
// is followed link by link, a dangling link included, relative targets read against the link's
// folder, to the name a write would create. A path that reached standard output when
// keepStandardOutputFor took it still does. Returns 0, or ELOOP after 40 links, ENAMETOOLONG
// when the followed path grows past the system's longest path (or the system says either).
int findOutputTarget(const char* file, OutputTarget* target);

// Gives standard output to the outputs that reach it (stream 1): files[0..count) are the paths
// of the run's outputs. When one of them is standard output, what the program prints there
// from now on (the controls summary, the loaders' lines, the benchmark's figures) goes to
// standard error, so that output carries its own bytes alone. Call before anything is printed.
// Returns false after one line on standard error when standard output cannot be set aside.
bool keepStandardOutputFor(const char* const* files, int count);

// Writes size bytes as the content of file and returns true once they are all on disk.
// The file it reaches (findOutputTarget), when regular or new, is replaced atomically
// (osReplaceFile, os/os.h): a failed write leaves it as it was, never cut short, and a symbolic
// link stays a link. Standard output or error is written through its descriptor, after what
// stdio holds; any other file that is not a regular file (a device such as /dev/full, a pipe) is
// written in place, a named pipe once a reader has it open (kPipeReaderWaitNs at most). On
// failure prints one line on standard error, "brinewings: FILE: REASON", and returns false.
bool writeOutputFile(const char* file, const void* bytes, size_t size);

// The reason a message gives for error on an output: a named pipe nobody read, a write cut
// short by a stop signal, else osErrorText's.
std::string outputErrorText(int error);

// output_file.h -- a run's output files written whole or not at all, every write checked
#pragma once

#include <cstddef>

// Writes size bytes as the content of file and returns true once they are all on disk.
// A regular file (or a new one) is written to a temporary file in the same folder, flushed to
// disk and closed, then renamed over file: a failed write leaves file as it was, never cut
// short. A replaced file keeps its permissions; a new one gets 0666 less the umask. A symbolic
// link is followed and stays a link. A file that exists and is not a regular file (a device
// such as /dev/full, a pipe) is written in place and never replaced. On failure prints one
// line on standard error, "brinewings: FILE: REASON", removes the temporary file and returns
// false.
bool writeOutputFile(const char* file, const void* bytes, size_t size);

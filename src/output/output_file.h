// output_file.h -- a run's output files written whole or not at all, every write checked
#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <string>

// The file a write to an output path reaches.
struct OutputTarget {
    std::string path;   // where it is: the path followed through every symbolic link
    bool exists;        // info holds what stat says of it
    struct stat info;
    int stream;         // 1 or 2 when it is the program's standard output or error, else 0
    bool inPlace;       // written as it is, never replaced: a stream, or not a regular file
};

// Finds the file a write to file reaches. An existing file is found by the kernel (so
// /dev/stdout and /proc/self/fd/N reach what the descriptor holds); a path that reaches no file
// is followed link by link, a dangling link included, relative targets read against the link's
// folder, to the name a write would create. Returns 0, or ELOOP after 40 links, ENAMETOOLONG
// when the followed path grows past PATH_MAX (or stat says either).
int findOutputTarget(const char* file, OutputTarget* target);

// Writes size bytes as the content of file and returns true once they are all on disk.
// The file it reaches (findOutputTarget), when regular or new, is written to a temporary file in
// its own folder, flushed to disk and closed, then renamed over it: a failed write leaves it as
// it was, never cut short, and a symbolic link stays a link. A replaced file keeps its
// permissions; a new one gets 0666 less the umask. Standard output or error is written through
// its descriptor, after what stdio holds; any other file that is not a regular file (a device
// such as /dev/full, a pipe) is written in place. On failure prints one line on standard error,
// "brinewings: FILE: REASON", removes the temporary file and returns false.
bool writeOutputFile(const char* file, const void* bytes, size_t size);

// Writes all of bytes to fd, going on after a short write or an interrupted call. Returns 0,
// or the errno of the write that failed.
int writeAll(int fd, const void* bytes, size_t size);

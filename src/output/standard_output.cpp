// standard_output.cpp -- standard output is an output of the run: its failures are reported
#include "output/standard_output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

static int firstError = 0;  // errno of the first failed flush

void flushStandardOutput()
{
    errno = 0;
    if (fflush(stdout) != 0 && firstError == 0)
        firstError = errno;
}

bool finishStandardOutput()
{
    flushStandardOutput();
    if (!ferror(stdout))
        return true;
    fprintf(stderr, "brinewings: standard output: %s\n", strerror(firstError != 0 ? firstError : EIO));
    return false;
}

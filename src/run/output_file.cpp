// output_file.cpp -- a run's output files written whole or not at all, every write checked
#include "run/output_file.h"

#include "common/shown_path.h"
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

static bool report(const char* file, int error)
{
    fprintf(stderr, "brinewings: %s: %s\n", shownPath(file), strerror(error));
    return false;
}

// Writes all of bytes to fd, going on after a short write or an interrupted call. Returns 0,
// or the errno of the write that failed.
static int writeAll(int fd, const unsigned char* bytes, size_t size)
{
    while (size > 0) {
        ssize_t written = write(fd, bytes, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? errno : EIO;
        bytes += written;
        size -= (size_t)written;
    }
    return 0;
}

// A device or a pipe takes the bytes as they come; it cannot be replaced, and must not be.
static bool writeInPlace(const char* file, const unsigned char* bytes, size_t size)
{
    int fd = open(file, O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return report(file, errno);
    int error = writeAll(fd, bytes, size);
    if (close(fd) != 0 && error == 0)
        error = errno;
    return error == 0 || report(file, error);
}

bool writeOutputFile(const char* file, const void* data, size_t size)
{
    const unsigned char* bytes = (const unsigned char*)data;
    struct stat target;
    bool exists = stat(file, &target) == 0;
    if (exists && !S_ISREG(target.st_mode))
        return writeInPlace(file, bytes, size);
    // The file the name leads to, through any symbolic links, is the one replaced.
    std::string path = file;
    if (exists) {
        char* real = realpath(file, nullptr);
        if (real == nullptr)
            return report(file, errno);
        path = real;
        free(real);
    }
    size_t slash = path.rfind('/');
    std::string temp = (slash == std::string::npos ? "" : path.substr(0, slash + 1)) + ".brinewings-XXXXXX";
    int fd = mkostemp(&temp[0], O_CLOEXEC);
    if (fd < 0)
        return report(file, errno);
    mode_t mode = target.st_mode & 07777;
    if (!exists) {
        mode_t mask = umask(0);
        umask(mask);
        mode = 0666 & ~mask;
    }
    int error = fchmod(fd, mode) != 0 ? errno : 0;
    if (error == 0)
        error = writeAll(fd, bytes, size);
    if (error == 0 && fsync(fd) != 0)
        error = errno;
    if (close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && rename(temp.c_str(), path.c_str()) != 0)
        error = errno;
    if (error != 0) {
        unlink(temp.c_str());
        return report(file, error);
    }
    return true;
}

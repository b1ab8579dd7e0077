// output_file.cpp -- a run's output files written whole or not at all, every write checked
#include "output/output_file.h"

#include "common/shown_path.h"
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

static const int kMaxLinks = 40;  // as the kernel allows in one path

static bool report(const char* file, int error)
{
    fprintf(stderr, "brinewings: %s: %s\n", shownPath(file), strerror(error));
    return false;
}

// 1 or 2 when info is the file standard output or standard error holds, else 0.
static int streamOf(const struct stat& info)
{
    for (int fd = 1; fd <= 2; fd++) {
        struct stat stream;
        if (fstat(fd, &stream) == 0 && stream.st_dev == info.st_dev && stream.st_ino == info.st_ino)
            return fd;
    }
    return 0;
}

int findOutputTarget(const char* file, OutputTarget* target)
{
    target->path = file;
    target->stream = 0;
    target->exists = stat(file, &target->info) == 0;
    if (target->exists) {
        target->stream = streamOf(target->info);
        target->inPlace = target->stream != 0 || !S_ISREG(target->info.st_mode);
        // A regular file is replaced where it is; a device or a pipe is opened by the name given.
        if (!target->inPlace) {
            char* real = realpath(file, nullptr);
            if (real == nullptr)
                return errno;
            target->path = real;
            free(real);
        }
        return 0;
    }
    target->inPlace = false;
    // A missing or unusable folder is left to the write (or the output check) to name.
    if (errno == ELOOP || errno == ENAMETOOLONG)
        return errno;
    // Nothing there yet: each dangling link names the next path, down to the name to create.
    for (int links = 0;; links++) {
        if (target->path.size() >= PATH_MAX)
            return ENAMETOOLONG;
        struct stat link;
        if (lstat(target->path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode))
            return 0;
        if (links == kMaxLinks)
            return ELOOP;
        char next[PATH_MAX];
        ssize_t size = readlink(target->path.c_str(), next, sizeof next);
        if (size < 0)
            return errno;
        if (size == (ssize_t)sizeof next)
            return ENAMETOOLONG;
        std::string linked(next, (size_t)size);
        size_t slash = target->path.rfind('/');
        if (!linked.empty() && linked[0] != '/' && slash != std::string::npos)
            linked = target->path.substr(0, slash + 1) + linked;
        target->path = linked;
    }
}

int writeAll(int fd, const void* data, size_t size)
{
    const unsigned char* bytes = (const unsigned char*)data;
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

// A device, a pipe or a stream takes the bytes as they come; it cannot be replaced, and must not
// be. Standard output and error get them after what stdio holds, at their own offset.
static bool writeInPlace(const char* file, const OutputTarget& target, const void* bytes, size_t size)
{
    if (target.stream != 0) {
        FILE* stream = target.stream == 1 ? stdout : stderr;
        int error = fflush(stream) != 0 ? errno : writeAll(target.stream, bytes, size);
        return error == 0 || report(file, error);
    }
    int fd = open(file, O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return report(file, errno);
    int error = writeAll(fd, bytes, size);
    if (close(fd) != 0 && error == 0)
        error = errno;
    return error == 0 || report(file, error);
}

bool writeOutputFile(const char* file, const void* bytes, size_t size)
{
    OutputTarget target;
    int error = findOutputTarget(file, &target);
    if (error != 0)
        return report(file, error);
    if (target.inPlace)
        return writeInPlace(file, target, bytes, size);
    // The temporary file is made beside the file it replaces, where the link leads, so the
    // rename stays in one file system and replaces that file, not the link.
    const std::string& path = target.path;
    size_t slash = path.rfind('/');
    std::string temp = (slash == std::string::npos ? "" : path.substr(0, slash + 1)) + ".brinewings-XXXXXX";
    int fd = mkostemp(&temp[0], O_CLOEXEC);
    if (fd < 0)
        return report(file, errno);
    mode_t mode = target.info.st_mode & 07777;
    if (!target.exists) {
        mode_t mask = umask(0);
        umask(mask);
        mode = 0666 & ~mask;
    }
    error = fchmod(fd, mode) != 0 ? errno : 0;
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

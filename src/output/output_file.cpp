// output_file.cpp -- a run's output files written whole or not at all, every write checked
#include "output/output_file.h"

#include "common/shown_path.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

static const int kMaxLinks = 40;                        // as the kernel allows in one path
static const int kStandardOutputSlots = kRunOutputSlots;

// The outputs that reached standard output when it was set aside (keepStandardOutputFor).
static std::string toStandardOutput[kStandardOutputSlots];
static int toStandardOutputCount = 0;

static bool report(const char* file, int error)
{
    fprintf(stderr, "brinewings: %s: %s\n", shownPath(file), outputErrorText(error).c_str());
    return false;
}

std::string outputErrorText(int error)
{
    if (error == ENXIO)
        return "no reader opened the pipe within " + std::to_string(kPipeReaderWaitNs / 1000000000LL) + " s";
    if (error == EINTR && stopSignal() != 0)
        return std::string("stopped by ") + stopSignalName(stopSignal());
    return osErrorText(error);
}

int findOutputTarget(const char* file, OutputTarget* target)
{
    target->path = file;
    target->stream = 0;
    for (int i = 0; i < toStandardOutputCount; i++) {
        if (toStandardOutput[i] == file) {
            target->file = OsFileInfo();
            target->file.exists = true;
            target->stream = 1;
            target->inPlace = true;
            return 0;
        }
    }
    int error = osFileInfo(file, &target->file);
    if (error != 0)
        return error;
    if (target->file.exists) {
        target->stream = osStreamOf(target->file);
        target->inPlace = target->stream != 0 || !target->file.regular;
        // A regular file is replaced where it is; a device or a pipe is opened by the name given.
        return target->inPlace ? 0 : osRealPath(file, &target->path);
    }
    target->inPlace = false;
    // Nothing there yet: each dangling link names the next path, down to the name to create. A
    // missing or unusable folder is left to the write (or the output check) to name.
    for (int links = 0;; links++) {
        if ((long)target->path.size() >= osPathMax())
            return ENAMETOOLONG;
        OsFileInfo link;
        if (osLinkInfo(target->path.c_str(), &link) != 0 || !link.link)
            return 0;
        if (links == kMaxLinks)
            return ELOOP;
        std::string linked;
        error = osReadLink(target->path.c_str(), &linked);
        if (error != 0)
            return error;
        size_t slash = target->path.rfind('/');
        if (!linked.empty() && linked[0] != '/' && slash != std::string::npos)
            linked = target->path.substr(0, slash + 1) + linked;
        target->path = linked;
    }
}

bool keepStandardOutputFor(const char* const* files, int count)
{
    toStandardOutputCount = 0;
    for (int i = 0; i < count && i < kStandardOutputSlots; i++) {
        OutputTarget target;
        if (findOutputTarget(files[i], &target) == 0 && target.stream == 1)
            toStandardOutput[toStandardOutputCount++] = files[i];
    }
    if (toStandardOutputCount == 0)
        return true;
    int error = osSetAsideStandardOutput();
    if (error != 0) {
        toStandardOutputCount = 0;
        fprintf(stderr, "brinewings: standard output: %s\n", osErrorText(error));
    }
    return error == 0;
}

// A device, a pipe or a stream takes the bytes as they come; it cannot be replaced, and must not
// be. Standard output and error get them after what stdio holds, at their own offset.
static bool writeInPlace(const char* file, const OutputTarget& target, const void* bytes, size_t size)
{
    int fd = -1;
    int error = 0;
    if (target.stream != 0) {
        FILE* stream = target.stream == 1 ? stdout : stderr;
        error = fflush(stream) != 0 ? errno : osDuplicateStream(target.stream, &fd);
    } else {
        error = osOpenForWriting(file, false, kPipeReaderWaitNs, &fd);
    }
    if (error == 0)
        error = osWriteAll(fd, bytes, size);
    int closed = fd >= 0 ? osClose(fd) : 0;
    if (error == 0)
        error = closed;
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
    error = osReplaceFile(target.path.c_str(), bytes, size);
    return error == 0 || report(file, error);
}

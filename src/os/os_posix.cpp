// os_posix.cpp -- the operating system on Linux and the other POSIX systems (os/os.h)
#include "os/os.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

static const long long kNsPerSecond = 1000000000LL;
static const long long kReaderPollNs = 10000000LL;  // a named pipe is tried again every 10 ms
static const int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

static volatile sig_atomic_t received = 0;  // the first stop signal; written by the handler
static int standardOutput = 1;              // where the run's outputs reach standard output

// ---- The clock and sleeping ----

long long osMonotonicNs()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (long long)now.tv_sec * kNsPerSecond + (long long)now.tv_nsec;
}

void osSleepUntilNs(long long whenNs)
{
    timespec when = {(time_t)(whenNs / kNsPerSecond), (long)(whenNs % kNsPerSecond)};
    // Another signal (a child's end) sleeps on; a stop signal ends the sleep.
    while (received == 0 && osMonotonicNs() < whenNs &&
           clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &when, nullptr) == EINTR) {
    }
}

// ---- Signals ----

// Async-signal-safe: notes the first signal and gives all three their default back, so the next
// one of any kind ends the program.
static void noteStop(int signal)
{
    if (received == 0)
        received = signal;
    struct sigaction fallback;
    memset(&fallback, 0, sizeof fallback);
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    for (int stop : kStopSignals)
        sigaction(stop, &fallback, nullptr);
}

void installRunSignals()
{
    struct sigaction action;
    memset(&action, 0, sizeof action);
    action.sa_handler = noteStop;
    sigemptyset(&action.sa_mask);
    for (int stop : kStopSignals)
        sigaddset(&action.sa_mask, stop);
    // No SA_RESTART: a blocked open or write returns EINTR and the run goes on to its end.
    action.sa_flags = 0;
    for (int stop : kStopSignals)
        sigaction(stop, &action, nullptr);
    signal(SIGPIPE, SIG_IGN);
    signal(SIGXFSZ, SIG_IGN);
}

int stopSignal()
{
    return received;
}

const char* stopSignalName(int signal)
{
    return signal == SIGINT ? "SIGINT" : signal == SIGTERM ? "SIGTERM" : "SIGHUP";
}

// ---- The process ----

long osProcessId()
{
    return (long)getpid();
}

bool osHostName(char* name, size_t size)
{
    if (size == 0)
        return false;
    memset(name, 0, size);
    return gethostname(name, size - 1) == 0;
}

const char* osErrorText(int error)
{
    return strerror(error);
}

// ---- Files and folders ----

static void describe(const struct stat& st, OsFileInfo* info)
{
    info->exists = true;
    info->regular = S_ISREG(st.st_mode);
    info->folder = S_ISDIR(st.st_mode);
    info->link = S_ISLNK(st.st_mode);
    info->fifo = S_ISFIFO(st.st_mode);
    info->device = (unsigned long long)st.st_dev;
    info->inode = (unsigned long long)st.st_ino;
    info->size = (long long)st.st_size;
    info->mode = (unsigned)(st.st_mode & 07777);
}

// A path that reaches nothing (or a folder that cannot be searched) is no error: info says so.
static int infoFrom(int result, const struct stat& st, OsFileInfo* info)
{
    *info = OsFileInfo();
    if (result == 0) {
        describe(st, info);
        return 0;
    }
    return errno == ELOOP || errno == ENAMETOOLONG ? errno : 0;
}

int osFileInfo(const char* path, OsFileInfo* info)
{
    struct stat st;
    int result = stat(path, &st);
    return infoFrom(result, st, info);
}

int osLinkInfo(const char* path, OsFileInfo* info)
{
    struct stat st;
    int result = lstat(path, &st);
    return infoFrom(result, st, info);
}

bool osSameFile(const OsFileInfo& a, const OsFileInfo& b)
{
    return a.exists && b.exists && a.device == b.device && a.inode == b.inode;
}

int osReadLink(const char* path, std::string* target)
{
    char bytes[PATH_MAX];
    ssize_t size = readlink(path, bytes, sizeof bytes);
    if (size < 0)
        return errno;
    if (size == (ssize_t)sizeof bytes)
        return ENAMETOOLONG;
    target->assign(bytes, (size_t)size);
    return 0;
}

bool osIsAbsolutePath(const char* path)
{
    return path[0] == '/';
}

const char* osLastSeparator(const char* path)
{
    return strrchr(path, '/');
}

bool osSameResolvedPath(const std::string& a, const std::string& b)
{
    return a == b;
}

int osRealPath(const char* path, std::string* real)
{
    char* resolved = realpath(path, nullptr);
    if (resolved == nullptr)
        return errno;
    *real = resolved;
    free(resolved);
    return 0;
}

int osCanWrite(const char* path)
{
    return access(path, W_OK) == 0 ? 0 : errno;
}

int osCanWriteInFolder(const char* folder)
{
    return access(folder, W_OK | X_OK) == 0 ? 0 : errno;
}

long osNameMax(const char* folder)
{
    long longest = pathconf(folder, _PC_NAME_MAX);
    return longest > 0 ? longest : 0;
}

long osPathMax()
{
    return PATH_MAX;
}

int osWorkingFolder(std::string* folder)
{
    char* cwd = getcwd(nullptr, 0);
    if (cwd == nullptr)
        return errno;
    *folder = cwd;
    free(cwd);
    return 0;
}

int osEnterFolder(const char* folder)
{
    return chdir(folder) == 0 ? 0 : errno;
}

FILE* osOpenRead(const char* path)
{
    return fopen(path, "rb");
}

int osReplaceFile(const char* path, const void* bytes, size_t size)
{
    OsFileInfo existing;
    osFileInfo(path, &existing);
    const char* slash = strrchr(path, '/');
    std::string temp = (slash == nullptr ? "" : std::string(path, (size_t)(slash - path) + 1)) + ".brinewings-XXXXXX";
    int fd = mkostemp(&temp[0], O_CLOEXEC);
    if (fd < 0)
        return errno;
    mode_t mode = (mode_t)existing.mode;
    if (!existing.exists) {
        mode_t mask = umask(0);
        umask(mask);
        mode = 0666 & ~mask;
    }
    int error = fchmod(fd, mode) != 0 ? errno : 0;
    if (error == 0)
        error = osWriteAll(fd, bytes, size);
    if (error == 0 && fsync(fd) != 0)
        error = errno;
    if (close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && rename(temp.c_str(), path) != 0)
        error = errno;
    if (error != 0)
        unlink(temp.c_str());
    return error;
}

int osOpenForWriting(const char* path, bool create, long long readerWaitNs, int* fd)
{
    int flags = O_WRONLY | O_CLOEXEC | O_NONBLOCK | (create ? O_CREAT | O_TRUNC : 0);
    long long deadline = osMonotonicNs() + readerWaitNs;
    // A named pipe opened without blocking fails with ENXIO until a reader has it open.
    for (;;) {
        *fd = open(path, flags, 0666);
        if (*fd >= 0 || errno != ENXIO)
            break;
        long long now = osMonotonicNs();
        if (received != 0 || now >= deadline)
            return received != 0 ? EINTR : ENXIO;
        osSleepUntilNs(now + kReaderPollNs < deadline ? now + kReaderPollNs : deadline);
    }
    if (*fd < 0)
        return errno;
    // Writes block from here on, as writes to a pipe do; a stop signal interrupts them.
    int status = fcntl(*fd, F_GETFL);
    if (status < 0 || fcntl(*fd, F_SETFL, status & ~O_NONBLOCK) != 0) {
        int error = errno;
        close(*fd);
        *fd = -1;
        return error;
    }
    return 0;
}

int osWriteAll(int fd, const void* data, size_t size)
{
    const unsigned char* bytes = (const unsigned char*)data;
    while (size > 0) {
        ssize_t written = write(fd, bytes, size);
        if (written < 0 && errno == EINTR && received == 0)
            continue;
        if (written <= 0)
            return written < 0 ? errno : EIO;
        bytes += written;
        size -= (size_t)written;
        // Cut short by a stop signal: the run's end is not held up by a reader that takes no more.
        if (size > 0 && received != 0)
            return EINTR;
    }
    return 0;
}

int osTruncate(int fd, long long size)
{
    return ftruncate(fd, (off_t)size) == 0 ? 0 : errno;
}

int osClose(int fd)
{
    return close(fd) == 0 ? 0 : errno;
}

// ---- The standard streams ----

int osStreamOf(const OsFileInfo& info)
{
    for (int stream : {1, 2}) {
        struct stat st;
        OsFileInfo held;
        if (fstat(stream == 1 ? standardOutput : 2, &st) == 0) {
            describe(st, &held);
            if (osSameFile(held, info))
                return stream;
        }
    }
    return 0;
}

int osDuplicateStream(int stream, int* fd)
{
    *fd = fcntl(stream == 1 ? standardOutput : 2, F_DUPFD_CLOEXEC, 3);
    return *fd >= 0 ? 0 : errno;
}

int osSetAsideStandardOutput()
{
    if (standardOutput != 1)
        return 0;
    int kept = fcntl(1, F_DUPFD_CLOEXEC, 3);
    if (kept < 0)
        return errno;
    if (dup2(2, 1) < 0) {
        int error = errno;
        close(kept);
        return error;
    }
    standardOutput = kept;
    return 0;
}

// ---- The data files ----

const char* osInstalledDataFolder()
{
    const char* folder = getenv("BRINEWINGS_DATA_FOLDER");
    return folder != nullptr && folder[0] != '\0' ? folder : nullptr;
}

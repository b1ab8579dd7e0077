// os_windows.cpp -- the operating system on Windows (os/os.h): UTF-8 paths as wide strings, the
// console's Ctrl-C, Ctrl-Break and close as stop signals, a high-resolution clock and sleep
#include "os/os.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>

static const long long kNsPerSecond = 1000000000LL;
static const int kSignalHangUp = 1;  // the console's close, logoff or shutdown, as POSIX's SIGHUP
static const DWORD kCloseGraceMs = 4000;  // Windows ends the process 5 s after a close event
static const long kPathBytes = MAX_PATH;  // paths are handed to Windows without a \\?\ prefix
static const DWORD kPipeWaitStepMs = 100;  // a busy pipe is waited for in steps this long, so a
                                           // stop signal ends the wait

static volatile LONG received = 0;  // the first stop signal; written by the console's handler thread
static HANDLE stopEvent = nullptr;  // set with it, so a sleep ends early
static int standardOutput = 1;      // where the run's outputs reach standard output

// The standard streams write their bytes as given, as on Linux: a line ends in \n alone, so the
// program's output and its files are the same bytes on both systems.
static const bool binaryStreams = [] {
    _setmode(0, _O_BINARY);
    _setmode(1, _O_BINARY);
    _setmode(2, _O_BINARY);
    return true;
}();

// ---- Text ----

static std::wstring wide(const char* text)
{
    int count = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    if (count <= 0)
        return std::wstring();
    std::wstring out((size_t)count, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, &out[0], count);
    out.resize((size_t)count - 1);
    return out;
}

// A path as the program's own code takes it: '/' between its parts.
static std::string forwardSlashes(std::string path)
{
    for (char& c : path) {
        if (c == '\\')
            c = '/';
    }
    return path;
}

static std::string narrow(const wchar_t* text)
{
    int count = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (count <= 0)
        return std::string();
    std::string out((size_t)count, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0], count, nullptr, nullptr);
    out.resize((size_t)count - 1);
    return out;
}

// Windows' error as an errno number.
static int errnoOf(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_WRITE_PROTECT:
        return EACCES;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    case ERROR_CANT_RESOLVE_FILENAME:
        return ELOOP;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
        return EEXIST;
    case ERROR_OPERATION_ABORTED:
        return EINTR;
    default:
        return EIO;
    }
}

// ---- The clock and sleeping ----

long long osMonotonicNs()
{
    static LARGE_INTEGER frequency = {};
    if (frequency.QuadPart == 0)
        QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    long long seconds = now.QuadPart / frequency.QuadPart;
    long long rest = now.QuadPart % frequency.QuadPart;
    return seconds * kNsPerSecond + rest * kNsPerSecond / frequency.QuadPart;
}

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

void osSleepUntilNs(long long whenNs)
{
    // A high-resolution timer where Windows has one (10 1803 and later), else a plain one with
    // the system's timer at 1 ms, so --tick-rate 60 sleeps 16.7 ms and not 31.
    static HANDLE timer = nullptr;
    static bool periodSet = false;
    if (timer == nullptr) {
        timer = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
        if (timer == nullptr) {
            timer = CreateWaitableTimerW(nullptr, TRUE, nullptr);
            if (!periodSet)
                periodSet = timeBeginPeriod(1) == TIMERR_NOERROR;
        }
    }
    long long now = osMonotonicNs();
    while (received == 0 && now < whenNs) {
        LARGE_INTEGER due;
        due.QuadPart = -(whenNs - now + 99) / 100;  // relative, in 100 ns
        HANDLE waits[2] = {timer, stopEvent};
        if (timer == nullptr || !SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE)) {
            Sleep((DWORD)((whenNs - now) / 1000000 + 1));
        } else {
            WaitForMultipleObjects(stopEvent != nullptr ? 2 : 1, waits, FALSE, INFINITE);
        }
        now = osMonotonicNs();
    }
}

// ---- Signals ----

// Runs on a thread of its own that Windows starts. The first event is noted and the run ends
// through its one end; a second one gets Windows' default, which ends the process at once. A
// closing console ends the process when this returns, so it gives the run time to end first.
static BOOL WINAPI noteStop(DWORD event)
{
    int signal = event == CTRL_C_EVENT ? SIGINT : event == CTRL_BREAK_EVENT ? SIGTERM : kSignalHangUp;
    if (InterlockedCompareExchange(&received, signal, 0) != 0)
        return FALSE;
    if (stopEvent != nullptr)
        SetEvent(stopEvent);
    if (signal == kSignalHangUp)
        Sleep(kCloseGraceMs);
    return TRUE;
}

void installRunSignals()
{
    if (stopEvent == nullptr)
        stopEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    SetConsoleCtrlHandler(noteStop, TRUE);
}

int stopSignal()
{
    return (int)received;
}

const char* stopSignalName(int signal)
{
    return signal == SIGINT ? "SIGINT" : signal == SIGTERM ? "SIGTERM" : "SIGHUP";
}

// ---- The process ----

long osProcessId()
{
    return (long)GetCurrentProcessId();
}

bool osHostName(char* name, size_t size)
{
    if (size == 0)
        return false;
    memset(name, 0, size);
    wchar_t computer[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
    if (!GetComputerNameW(computer, &length))
        return false;
    std::string text = narrow(computer);
    strncpy(name, text.c_str(), size - 1);
    return true;
}

const char* osErrorText(int error)
{
    return strerror(error);
}

// ---- Files and folders ----

// \\.\pipe\NAME, with either slash: the client's end of a named pipe. Opening one, even only to
// ask about it, takes one of its server's instances, so such a name is only opened to write.
static bool isPipeName(const char* path)
{
    auto slash = [](char c) { return c == '/' || c == '\\'; };
    return slash(path[0]) && slash(path[1]) && path[2] == '.' && slash(path[3]) && _strnicmp(path + 4, "pipe", 4) == 0 &&
           slash(path[8]);
}

// Opens path to ask about it, following links unless asked not to. INVALID_HANDLE_VALUE with
// the errno number in *error when it cannot.
static HANDLE openToAsk(const char* path, bool followLinks, int* error)
{
    DWORD flags = FILE_FLAG_BACKUP_SEMANTICS | (followLinks ? 0 : FILE_FLAG_OPEN_REPARSE_POINT);
    HANDLE file = CreateFileW(wide(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, flags, nullptr);
    *error = file == INVALID_HANDLE_VALUE ? errnoOf(GetLastError()) : 0;
    return file;
}

static void describeHandle(HANDLE file, OsFileInfo* info)
{
    *info = OsFileInfo();
    if (GetFileType(file) == FILE_TYPE_PIPE) {
        info->exists = true;
        info->fifo = true;
        info->mode = 0666;
        return;
    }
    BY_HANDLE_FILE_INFORMATION about;
    if (!GetFileInformationByHandle(file, &about))
        return;
    info->exists = true;
    info->folder = (about.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    info->link = (about.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    info->regular = !info->folder && !info->link;
    info->device = about.dwVolumeSerialNumber;
    info->inode = ((unsigned long long)about.nFileIndexHigh << 32) | about.nFileIndexLow;
    info->size = (long long)(((unsigned long long)about.nFileSizeHigh << 32) | about.nFileSizeLow);
    bool readOnly = (about.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    info->mode = (readOnly ? 0444u : 0666u) | (info->folder ? 0111u : 0u);
}

// A path that reaches nothing is no error: info says so.
static int infoOf(const char* path, bool followLinks, OsFileInfo* info)
{
    *info = OsFileInfo();
    int error = 0;
    // A pipe is there while its server is, every instance busy or not.
    if (isPipeName(path)) {
        info->exists = WaitNamedPipeW(wide(path).c_str(), 1) || GetLastError() == ERROR_SEM_TIMEOUT;
        info->fifo = info->exists;
        info->mode = info->exists ? 0666 : 0;
        return 0;
    }
    HANDLE file = openToAsk(path, followLinks, &error);
    if (file == INVALID_HANDLE_VALUE)
        return error == ELOOP || error == ENAMETOOLONG ? error : 0;
    describeHandle(file, info);
    CloseHandle(file);
    return 0;
}

int osFileInfo(const char* path, OsFileInfo* info)
{
    return infoOf(path, true, info);
}

int osLinkInfo(const char* path, OsFileInfo* info)
{
    return infoOf(path, false, info);
}

bool osSameFile(const OsFileInfo& a, const OsFileInfo& b)
{
    return a.exists && b.exists && a.device == b.device && a.inode == b.inode;
}

// Windows' links are followed by the calls that open them; what one holds is not read here.
int osReadLink(const char*, std::string*)
{
    return EINVAL;
}

bool osIsAbsolutePath(const char* path)
{
    bool drive = ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) && path[1] == ':';
    return path[0] == '/' || path[0] == '\\' || (drive && (path[2] == '/' || path[2] == '\\'));
}

const char* osLastSeparator(const char* path)
{
    const char* slash = strrchr(path, '/');
    const char* backslash = strrchr(path, '\\');
    return backslash != nullptr && (slash == nullptr || backslash > slash) ? backslash : slash;
}

bool osSameResolvedPath(const std::string& a, const std::string& b)
{
    return CompareStringOrdinal(wide(a.c_str()).c_str(), -1, wide(b.c_str()).c_str(), -1, TRUE) == CSTR_EQUAL;
}

int osRealPath(const char* path, std::string* real)
{
    int error = 0;
    HANDLE file = openToAsk(path, true, &error);
    if (file == INVALID_HANDLE_VALUE)
        return error;
    static wchar_t final[32768];
    DWORD length = GetFinalPathNameByHandleW(file, final, sizeof final / sizeof final[0], FILE_NAME_NORMALIZED);
    CloseHandle(file);
    // Where the file system cannot name the file from its handle, its full path, with "." and
    // ".." resolved, stands for it.
    if (length == 0)
        length = GetFullPathNameW(wide(path).c_str(), sizeof final / sizeof final[0], final, nullptr);
    if (length == 0 || length >= sizeof final / sizeof final[0])
        return length == 0 ? errnoOf(GetLastError()) : ENAMETOOLONG;
    // \\?\C:\folder is C:\folder as the user writes it.
    const wchar_t* shown = wcsncmp(final, L"\\\\?\\", 4) == 0 && final[5] == L':' ? final + 4 : final;
    *real = forwardSlashes(narrow(shown));
    return 0;
}

int osCanWrite(const char* path)
{
    if (isPipeName(path))
        return 0;  // whether a pipe takes writes, only its opening tells
    DWORD attributes = GetFileAttributesW(wide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return errnoOf(GetLastError());
    return (attributes & FILE_ATTRIBUTE_READONLY) != 0 && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ? EACCES : 0;
}

// Read-only on a folder means nothing to Windows: only making a file there tells.
int osCanWriteInFolder(const char* folder)
{
    std::wstring probe = wide(folder) + L"\\.brinewings-" + std::to_wstring(GetCurrentProcessId()) + L".probe";
    HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return errnoOf(GetLastError());
    CloseHandle(file);
    return 0;
}

long osNameMax(const char*)
{
    return 255;  // NTFS and FAT's long names: 255 UTF-16 units
}

long osPathMax()
{
    return kPathBytes;
}

int osWorkingFolder(std::string* folder)
{
    wchar_t* cwd = _wgetcwd(nullptr, 0);
    if (cwd == nullptr)
        return errno;
    *folder = forwardSlashes(narrow(cwd));
    free(cwd);
    return 0;
}

int osEnterFolder(const char* folder)
{
    return _wchdir(wide(folder).c_str()) == 0 ? 0 : errno;
}

FILE* osOpenRead(const char* path)
{
    return _wfopen(wide(path).c_str(), L"rb");
}

int osReplaceFile(const char* path, const void* bytes, size_t size)
{
    const char* slash = osLastSeparator(path);
    static unsigned serial = 0;
    std::string folder = slash == nullptr ? "" : std::string(path, (size_t)(slash - path) + 1);
    std::string temp = folder + ".brinewings-" + std::to_string(GetCurrentProcessId()) + "-" +
                       std::to_string(++serial) + ".tmp";
    std::wstring tempWide = wide(temp.c_str());
    HANDLE file = CreateFileW(tempWide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return errnoOf(GetLastError());
    int error = 0;
    const unsigned char* at = (const unsigned char*)bytes;
    while (error == 0 && size > 0) {
        DWORD chunk = size > 0x40000000u ? 0x40000000u : (DWORD)size;
        DWORD written = 0;
        if (!WriteFile(file, at, chunk, &written, nullptr) || written == 0)
            error = errnoOf(GetLastError());
        at += written;
        size -= written;
    }
    if (error == 0 && !FlushFileBuffers(file))
        error = errnoOf(GetLastError());
    if (!CloseHandle(file) && error == 0)
        error = errnoOf(GetLastError());
    if (error == 0 && !MoveFileExW(tempWide.c_str(), wide(path).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = errnoOf(GetLastError());
    if (error != 0)
        DeleteFileW(tempWide.c_str());
    return error;
}

// A named pipe whose instances are all busy is waited for, in steps, until one is free, the
// deadline passes (ENXIO) or a stop signal arrives (EINTR); one with no server is missing.
static int openPipeForWriting(const char* path, long long readerWaitNs, int* fd)
{
    std::wstring name = wide(path);
    long long deadline = osMonotonicNs() + readerWaitNs;
    HANDLE pipe = INVALID_HANDLE_VALUE;
    for (;;) {
        pipe = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (pipe != INVALID_HANDLE_VALUE || GetLastError() != ERROR_PIPE_BUSY)
            break;
        long long left = deadline - osMonotonicNs();
        if (received != 0 || left <= 0)
            return received != 0 ? EINTR : ENXIO;
        DWORD stepMs = left < kPipeWaitStepMs * 1000000LL ? (DWORD)((left + 999999) / 1000000) : kPipeWaitStepMs;
        // The wait fails at once while the pipe goes away; the next open tells how it ended.
        long long asked = osMonotonicNs();
        if (!WaitNamedPipeW(name.c_str(), stepMs) && GetLastError() != ERROR_SEM_TIMEOUT)
            osSleepUntilNs(asked + stepMs * 1000000LL);
    }
    if (pipe == INVALID_HANDLE_VALUE)
        return errnoOf(GetLastError());
    *fd = _open_osfhandle((intptr_t)pipe, _O_WRONLY | _O_BINARY);
    if (*fd < 0) {
        CloseHandle(pipe);
        return EMFILE;
    }
    return 0;
}

int osOpenForWriting(const char* path, bool create, long long readerWaitNs, int* fd)
{
    *fd = -1;
    if (isPipeName(path))
        return openPipeForWriting(path, readerWaitNs, fd);
    int flags = _O_WRONLY | _O_BINARY | _O_NOINHERIT | (create ? _O_CREAT | _O_TRUNC : 0);
    *fd = _wopen(wide(path).c_str(), flags, _S_IREAD | _S_IWRITE);
    if (*fd < 0)
        return errno;
    return 0;
}

int osWriteAll(int fd, const void* data, size_t size)
{
    const unsigned char* bytes = (const unsigned char*)data;
    while (size > 0) {
        unsigned chunk = size > 0x40000000u ? 0x40000000u : (unsigned)size;
        int written = _write(fd, bytes, chunk);
        if (written <= 0)
            return written < 0 ? errno : EIO;
        bytes += written;
        size -= (size_t)written;
        if (size > 0 && received != 0)
            return EINTR;
    }
    return 0;
}

int osTruncate(int fd, long long size)
{
    return _chsize_s(fd, size);
}

int osClose(int fd)
{
    return _close(fd) == 0 ? 0 : errno;
}

// ---- The standard streams ----

int osStreamOf(const OsFileInfo& info)
{
    for (int stream : {1, 2}) {
        intptr_t handle = _get_osfhandle(stream == 1 ? standardOutput : 2);
        if (handle == -1 || handle == -2)
            continue;
        OsFileInfo held;
        describeHandle((HANDLE)handle, &held);
        if (!held.fifo && osSameFile(held, info))
            return stream;
    }
    return 0;
}

int osDuplicateStream(int stream, int* fd)
{
    *fd = _dup(stream == 1 ? standardOutput : 2);
    return *fd >= 0 ? 0 : errno;
}

int osSetAsideStandardOutput()
{
    if (standardOutput != 1)
        return 0;
    int kept = _dup(1);
    if (kept < 0)
        return errno;
    if (_dup2(2, 1) < 0) {
        int error = errno;
        _close(kept);
        return error;
    }
    standardOutput = kept;
    return 0;
}

// ---- The data files ----

// BRINEWINGS_DATA_FOLDER, as on Linux. The release's folder holds the data files beside
// brinewings.exe, and a double click starts it there.
const char* osInstalledDataFolder()
{
    const char* folder = getenv("BRINEWINGS_DATA_FOLDER");
    return folder != nullptr && folder[0] != '\0' ? folder : nullptr;
}

// os.h -- everything the program asks of the operating system: the clock and sleeping, signals,
// the process, the standard streams, files and folders, and where the data files are installed
#pragma once

// One implementation per system, each one file beside this header: os_posix.cpp (Linux and the
// other POSIX systems); a second system is os_windows.cpp, with nothing else to change.
//   - Paths are UTF-8 strings, '/' separated ('\\' too on Windows), as the user typed them.
//   - Errors are errno numbers (ENOENT, ENAMETOOLONG, ELOOP, ...), whatever the system calls
//     them, so callers name them with osErrorText and compare them portably; 0 is success.
//   - A file descriptor is a small int of the C runtime (POSIX descriptors, or the CRT's on
//     Windows); 1 and 2 are standard output and standard error.

#include <cstddef>
#include <cstdio>
#include <string>

// ---- The clock and sleeping ----

// A monotonic clock in nanoseconds, from an arbitrary start; never goes back.
long long osMonotonicNs();

// Sleeps until osMonotonicNs() reads whenNs; returns at once when that has passed, and early
// when a stop signal (stopSignal) arrives.
void osSleepUntilNs(long long whenNs);

// ---- Signals ----

// For scripted runs: SIGINT, SIGTERM and SIGHUP (Ctrl-C, Ctrl-Break and closing the console on
// Windows) are noted for stopSignal, so the run ends at its next tick through its one end, with
// its report. The first one puts all three back to their default, so a second signal of any of
// them ends the program at once, whatever the run is doing. Calls are not restarted after a
// signal: a blocked open, write or sleep returns, so a stop is never held up by one. SIGPIPE is
// ignored (a closed pipe is a failed write, EPIPE) and so is SIGXFSZ (a write past a file-size
// limit fails with EFBIG). A plain run installs none of this.
void installRunSignals();

// The signal that asked the run to stop, or 0.
int stopSignal();

// "SIGINT", "SIGTERM" or "SIGHUP".
const char* stopSignalName(int signal);

// ---- The process ----

long osProcessId();

// The machine's name, cut to size - 1 bytes and ended by a zero; false when the system has none.
bool osHostName(char* name, size_t size);

// The text of an error number ("No such file or directory").
const char* osErrorText(int error);

// ---- Files and folders ----

// What the system says of a file. Two infos name the same file when osSameFile says so (device
// and inode on POSIX, volume and file index on Windows).
struct OsFileInfo {
    bool exists = false;   // the path reaches a file; the fields below hold only then
    bool regular = false;  // a regular file
    bool folder = false;   // a folder
    bool link = false;     // osLinkInfo only: the path itself is a symbolic link
    bool fifo = false;     // a named pipe
    unsigned long long device = 0;
    unsigned long long inode = 0;
    long long size = 0;    // bytes
    unsigned mode = 0;     // permission bits (07777)
};

// Fills info for the file path reaches, every symbolic link followed. Returns 0 (info.exists
// tells whether there is one), or ELOOP or ENAMETOOLONG for a path that cannot be followed.
int osFileInfo(const char* path, OsFileInfo* info);

// The same for path itself: a symbolic link is described, not followed.
int osLinkInfo(const char* path, OsFileInfo* info);

bool osSameFile(const OsFileInfo& a, const OsFileInfo& b);

// The target of the symbolic link at path, as stored in the link. Returns 0 or the error.
int osReadLink(const char* path, std::string* target);

// True when path does not depend on the working folder: it starts at the root ('/'; on Windows
// also '\\' or a drive such as "C:/").
bool osIsAbsolutePath(const char* path);

// The last separator in path ('/', and on Windows '\\' too), or null when it has none.
const char* osLastSeparator(const char* path);

// True when two resolved paths, '/' separated, spell one file: the same text on POSIX; on
// Windows, the same but for the case of letters, as its file systems take names.
bool osSameResolvedPath(const std::string& a, const std::string& b);

// The absolute path of an existing file or folder, every link and "." and ".." resolved.
int osRealPath(const char* path, std::string* real);

// 0 when the existing file at path may be written by this process, else the error (EACCES).
int osCanWrite(const char* path);

// 0 when files may be made, replaced and removed in the folder, else the error.
int osCanWriteInFolder(const char* folder);

// The longest file name the file system of folder takes, in bytes; 0 when it does not say.
long osNameMax(const char* folder);

// The longest path the system takes, in bytes, its ending zero included.
long osPathMax();

// The folder the process runs in, and entering another one. Return 0 or the error.
int osWorkingFolder(std::string* folder);
int osEnterFolder(const char* folder);

// Opens path for reading in binary mode, as fopen does (UTF-8 path); null with errno set.
FILE* osOpenRead(const char* path);

// Writes size bytes as the whole new content of the file at path (not a link: the caller has
// followed them), atomically: written to a temporary file in the same folder, flushed to disk,
// closed, then renamed over path (MoveFileExW on Windows). A failed write leaves the old file as
// it was and removes the temporary one. An existing file keeps its permissions; a new one gets
// 0666 less the umask. Returns 0 or the error.
int osReplaceFile(const char* path, const void* bytes, size_t size);

// Opens path for writing into *fd: created when missing (0666 less the umask) and emptied when
// create is set, else written where it is (a device, a pipe). A named pipe with no reader yet is
// waited for up to readerWaitNs, and a stop signal ends the wait: then ENXIO, or EINTR. Never
// blocks otherwise. Returns 0 or the error.
int osOpenForWriting(const char* path, bool create, long long readerWaitNs, int* fd);

// Writes all of bytes to fd, going on after a short write or an interrupted call, but not once a
// stop signal has arrived: then EINTR. Returns 0 or the error of the write that failed.
int osWriteAll(int fd, const void* bytes, size_t size);

// Cuts the file open at fd to size bytes, and closes a descriptor. Return 0 or the error.
int osTruncate(int fd, long long size);
int osClose(int fd);

// ---- The standard streams ----

// 1 or 2 when info is the file the program's standard output or standard error writes to (the
// output as it was before osSetAsideStandardOutput), else 0.
int osStreamOf(const OsFileInfo& info);

// A new descriptor, closed on exec, for standard output (stream 1: the one set aside, when it
// is) or standard error (2). Returns 0 or the error.
int osDuplicateStream(int stream, int* fd);

// Keeps standard output for the run's own outputs alone: from now on what the program prints
// to standard output (stdout, descriptor 1) goes to standard error, and osDuplicateStream(1)
// and osStreamOf still reach the output the program was started with. Call before anything is
// printed. Returns 0 or the error.
int osSetAsideStandardOutput();

// ---- The data files ----

// The folder the installed command says the data files are in: BRINEWINGS_DATA_FOLDER in the
// environment, which the launcher sets (on Windows, the folder of the program may do). Null
// when there is none. --data-dir, given, wins over it.
const char* osInstalledDataFolder();

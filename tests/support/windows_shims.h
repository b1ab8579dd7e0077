// windows_shims.h -- the few POSIX calls the unit tests make, for their Windows build (included
// ahead of every unit test there): memory streams, temporary folders, mkdir with a mode
#pragma once
#ifdef _WIN32
#include <direct.h>
#include <io.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

// A temporary file holding the bytes, read from the start; "r" and "rb" alike.
inline FILE* fmemopen(void* bytes, size_t size, const char*)
{
    FILE* file = tmpfile();
    if (file == nullptr)
        return nullptr;
    if (size > 0 && fwrite(bytes, 1, size, file) != size) {
        fclose(file);
        return nullptr;
    }
    rewind(file);
    return file;
}

inline char* mkdtemp(char* pattern)
{
    if (_mktemp(pattern) == nullptr || _mkdir(pattern) != 0)
        return nullptr;
    return pattern;
}

inline int mkdir(const char* path, int)
{
    return _mkdir(path);
}
#endif

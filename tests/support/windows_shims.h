// windows_shims.h -- the one POSIX call the unit tests make, for their Windows build (included
// ahead of every unit test there): a memory stream to read from
#pragma once
#ifdef _WIN32
#include <cstdio>
#include <cstdlib>

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
#endif

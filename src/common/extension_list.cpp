// extension_list.cpp -- looks a name up in a space-separated extension list (GL, GLX, EGL)
#include "common/extension_list.h"

#include <cstring>

bool hasExtension(const char* list, const char* name)
{
    size_t length = strlen(name);
    for (const char* p = list; p != nullptr && (p = strstr(p, name)) != nullptr; p += length) {
        if ((p == list || p[-1] == ' ') && (p[length] == ' ' || p[length] == '\0'))
            return true;
    }
    return false;
}

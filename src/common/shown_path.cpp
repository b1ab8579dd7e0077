// shown_path.cpp -- how messages name a file: as the user typed it, shortened when very long
#include "common/shown_path.h"

#include <cstring>

static const int kTypedSlots = 300;  // every file option of one run, with room to spare
static const int kShownBuffers = 4;  // one message names at most a few paths
static const int kKeptChars = (kShownPathChars - 3) / 2;

static const char* typedResolved[kTypedSlots];
static const char* typedAsGiven[kTypedSlots];
static int typedCount = 0;

void noteTypedPath(const char* resolved, const char* typed)
{
    if (typedCount < kTypedSlots) {
        typedResolved[typedCount] = resolved;
        typedAsGiven[typedCount++] = typed;
    }
}

const char* typedPath(const char* path)
{
    // The very pointers handed out are matched, not their text: a typed absolute path that
    // happens to equal a resolved one stays as typed.
    for (int i = 0; i < typedCount; i++)
        if (typedResolved[i] == path)
            return typedAsGiven[i];
    return path;
}

const char* shownPath(const char* path)
{
    path = typedPath(path);
    size_t length = strlen(path);
    if (length <= (size_t)kShownPathChars)
        return path;
    static char buffers[kShownBuffers][kShownPathChars + 1];
    static int next = 0;
    char* shown = buffers[next];
    next = (next + 1) % kShownBuffers;
    memcpy(shown, path, (size_t)kKeptChars);
    memcpy(shown + kKeptChars, "...", 3);
    memcpy(shown + kKeptChars + 3, path + length - kKeptChars, (size_t)kKeptChars);
    shown[2 * kKeptChars + 3] = '\0';
    return shown;
}

// data_folder.cpp -- --data-dir: the files of the command line stay where the user typed them
#include "cli/data_folder.h"

#include "common/shown_path.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

static const int kFileSlots = kScreenshotSlots + 3;  // the screenshots, --replay, --record, --results

// Points *file at its absolute form, kept in store, when it is relative.
static void makeAbsolute(const char** file, const std::string& folder, std::string* store)
{
    if (*file == nullptr || (*file)[0] == '/')
        return;
    *store = folder + "/" + *file;
    noteTypedPath(store->c_str(), *file);
    *file = store->c_str();
}

bool enterDataFolder(RunOptions* options, char* message, size_t messageSize)
{
    if (options->dataDir == nullptr)
        return true;
    char* cwd = getcwd(nullptr, 0);
    if (cwd == nullptr) {
        snprintf(message, messageSize, "brinewings: the folder started in: %s", strerror(errno));
        return false;
    }
    std::string folder = strcmp(cwd, "/") == 0 ? "" : cwd;
    free(cwd);
    static std::string absolute[kFileSlots];
    makeAbsolute(&options->replayFile, folder, &absolute[0]);
    makeAbsolute(&options->recordFile, folder, &absolute[1]);
    makeAbsolute(&options->resultsFile, folder, &absolute[2]);
    for (int i = 0; i < options->screenshotCount; i++)
        makeAbsolute(&options->screenshots[i].file, folder, &absolute[3 + i]);
    if (chdir(options->dataDir) != 0) {
        snprintf(message, messageSize, "brinewings: --data-dir %s: %s", shownPath(options->dataDir),
                 strerror(errno));
        return false;
    }
    return true;
}

// data_folder.cpp -- the data files' folder: --data-dir, else the installed command's; the files
// of the command line stay where the user typed them
#include "cli/data_folder.h"

#include "common/shown_path.h"
#include "os/os.h"

#include <cstdio>
#include <string>

static const int kFileSlots = kScreenshotSlots + 3;  // the screenshots, --replay, --record, --results

// Points *file at its absolute form, kept in store, when it is relative.
static void makeAbsolute(const char** file, const std::string& folder, std::string* store)
{
    if (*file == nullptr || osIsAbsolutePath(*file))
        return;
    *store = folder + "/" + *file;
    noteTypedPath(store->c_str(), *file);
    *file = store->c_str();
}

bool enterDataFolder(RunOptions* options, char* message, size_t messageSize)
{
    // The user's --data-dir wins over the folder the installed command names.
    const char* dataFolder = options->dataDir != nullptr ? options->dataDir : osInstalledDataFolder();
    if (dataFolder == nullptr)
        return true;
    std::string cwd;
    int error = osWorkingFolder(&cwd);
    if (error != 0) {
        snprintf(message, messageSize, "brinewings: the folder started in: %s", osErrorText(error));
        return false;
    }
    std::string folder = cwd == "/" ? "" : cwd;
    static std::string absolute[kFileSlots];
    makeAbsolute(&options->replayFile, folder, &absolute[0]);
    makeAbsolute(&options->recordFile, folder, &absolute[1]);
    makeAbsolute(&options->resultsFile, folder, &absolute[2]);
    for (int i = 0; i < options->screenshotCount; i++)
        makeAbsolute(&options->screenshots[i].file, folder, &absolute[3 + i]);
    error = osEnterFolder(dataFolder);
    if (error != 0) {
        if (options->dataDir != nullptr)
            snprintf(message, messageSize, "brinewings: --data-dir %s: %s", shownPath(dataFolder), osErrorText(error));
        else
            snprintf(message, messageSize, "brinewings: the installed data folder %s: %s", shownPath(dataFolder),
                     osErrorText(error));
        return false;
    }
    return true;
}

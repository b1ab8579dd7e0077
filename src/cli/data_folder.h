// data_folder.h -- the data files' folder: --data-dir, else the installed command's; the files
// of the command line stay where the user typed them
#pragma once

#include "cli/run_options.h"

#include <cstddef>

// With a data folder, --data-dir DIR or else the one the installed command names
// (osInstalledDataFolder, os/os.h): makes each relative file of options (--replay, --record,
// --results, every --screenshot's file) absolute against the working folder, notes what was
// typed for messages (common/shown_path.h), then enters the data folder, where the data files
// are read. Without one it does nothing. Returns false with one line, without a line end, in
// message when the data folder or the working folder cannot be reached.
bool enterDataFolder(RunOptions* options, char* message, size_t messageSize);

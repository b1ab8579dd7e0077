// data_folder.h -- --data-dir: the files of the command line stay where the user typed them
#pragma once

#include "cli/run_options.h"

#include <cstddef>

// With --data-dir DIR: makes each relative file of options (--replay, --record, --results,
// every --screenshot's file) absolute against the working folder, notes what was typed for
// messages (common/shown_path.h), then enters DIR, where the data files are read. Without
// --data-dir it does nothing. Returns false with one line, without a line end, in message when
// DIR or the working folder cannot be reached.
bool enterDataFolder(RunOptions* options, char* message, size_t messageSize);

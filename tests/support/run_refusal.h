// run_refusal.h -- a command line taken through the checks the program makes before its window
// opens, and a folder of flight files for it, for the run options' tests
#pragma once

#include "cli/output_check.h"
#include "cli/run_options.h"
#include "flight/flight_file.h"
#include "support/scratch_folder.h"

#include <filesystem>
#include <fstream>
#include <list>
#include <sstream>
#include <string>
#include <vector>

// Parses a command line written as one string split at spaces, then, as the program does
// before its window opens, reads the --replay file and checks the outputs. Returns the refusal,
// or "" when the line is taken.
inline std::string refusal(const std::string& line, RunOptions* options)
{
    static std::list<std::string> words;  // options point into them
    std::vector<char*> argv = {(char*)"brinewings"};
    std::istringstream in(line);
    for (std::string word; in >> word;)
        argv.push_back(words.emplace_back(word).data());
    char message[512] = "";
    if (!parseRunOptions((int)argv.size(), argv.data(), options, message, sizeof message) ||
        (options->replayFile != nullptr && !readFlightFile(options->replayFile, message, sizeof message)) ||
        !checkRunOutputs(*options, options->replayFile, message, sizeof message))
        return message;
    return "";
}

inline std::filesystem::path optionsStartFolder;

// Makes a scratch folder holding mine.flight (a quit at tick 100), noquit.flight (no quit) and
// the folder sub, and enters it. Returns its real path, '/' separated, or "" when it cannot.
inline std::string enterOptionsFolder()
{
    std::string folder = makeScratchFolder("brinewings-options");
    std::error_code error;
    optionsStartFolder = std::filesystem::current_path(error);
    if (folder.empty() || error || !std::filesystem::create_directory(folder + "/sub", error))
        return "";
    std::filesystem::current_path(folder, error);
    std::ofstream(folder + "/mine.flight", std::ios::binary) << "0 pointer 1 2\n100 key Q\n";
    std::ofstream(folder + "/noquit.flight", std::ios::binary) << "0 pointer 1 2\n50 key w\n";
    return error ? "" : folder;
}

// Goes back to the folder enterOptionsFolder left, and removes the one it made.
inline void leaveOptionsFolder(const std::string& folder)
{
    std::error_code error;
    std::filesystem::current_path(optionsStartFolder, error);
    if (!folder.empty())
        std::filesystem::remove_all(folder, error);
}

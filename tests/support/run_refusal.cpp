// run_refusal.cpp -- a command line taken through the checks the program makes before its window opens
#include "support/run_refusal.h"

#include "cli/output_check.h"
#include "flight/flight_file.h"
#include "support/scratch_folder.h"

#include <filesystem>
#include <fstream>
#include <list>
#include <sstream>
#include <vector>

static std::filesystem::path startFolder;

std::string refusal(const std::string& line, RunOptions* options)
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

std::string enterOptionsFolder()
{
    std::string folder = makeScratchFolder("brinewings-options");
    std::error_code error;
    startFolder = std::filesystem::current_path(error);
    if (folder.empty() || error || !std::filesystem::create_directory(folder + "/sub", error))
        return "";
    std::filesystem::current_path(folder, error);
    std::ofstream(folder + "/mine.flight", std::ios::binary) << "0 pointer 1 2\n100 key Q\n";
    std::ofstream(folder + "/noquit.flight", std::ios::binary) << "0 pointer 1 2\n50 key w\n";
    return error ? "" : folder;
}

void leaveOptionsFolder(const std::string& folder)
{
    std::error_code error;
    std::filesystem::current_path(startFolder, error);
    if (!folder.empty())
        std::filesystem::remove_all(folder, error);
}

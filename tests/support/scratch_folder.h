// scratch_folder.h -- a new empty folder under the system's temporary folder, for one test
#pragma once

#include <filesystem>
#include <random>
#include <string>

// A folder made for the caller, named prefix and a random number; its real path, '/' separated,
// or "" when none could be made. std::filesystem::remove_all takes it away.
inline std::string makeScratchFolder(const std::string& prefix)
{
    std::error_code error;
    std::filesystem::path base = std::filesystem::temp_directory_path(error);
    std::mt19937 random(std::random_device{}());
    for (int tries = 0; tries < 100 && !error; tries++) {
        std::filesystem::path folder = base / (prefix + "." + std::to_string(random()));
        if (std::filesystem::create_directory(folder, error))
            return std::filesystem::canonical(folder).generic_string();
    }
    return "";
}

// data_files.h -- the names of the files the program reads from its data folder
#pragma once

inline constexpr const char* kAircraftFile = "cessna.txt";
inline constexpr const char* kPropellerFile = "propeller.txt";
inline constexpr const char* kSeaImageFile = "sea02.jpg";
inline constexpr const char* kSkyImageFile = "sky08.jpg";
// The route --benchmark flies.
inline constexpr const char* kBenchmarkRoute = "benchmark.flight";

// The four files every run reads, in the order start-up reads them.
inline constexpr int kDataFileCount = 4;
inline constexpr const char* kDataFiles[kDataFileCount] = {kAircraftFile, kPropellerFile, kSeaImageFile,
                                                          kSkyImageFile};

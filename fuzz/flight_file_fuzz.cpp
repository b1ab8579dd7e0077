// flight_file_fuzz.cpp -- libFuzzer target: any bytes as a flight file, read into the event table
#include "flight/flight_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FILE* stream = size > 0 ? fmemopen((void*)data, size, "r") : nullptr;  // fmemopen refuses 0 bytes
    if (stream == nullptr)
        return 0;
    char message[512];
    readFlightStream(stream, "fuzz.flight", message, sizeof message);
    fclose(stream);
    return 0;
}

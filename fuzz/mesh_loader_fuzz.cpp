// mesh_loader_fuzz.cpp -- libFuzzer target: any bytes through a memory stream into the model stores
#include "aircraft/mesh_model.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;  // fmemopen refuses an empty buffer
    // The propeller store has few groups, so group and face overflow are reached quickly;
    // the aircraft store is the one start-up fills from cessna.txt. Both start empty, as at
    // start-up, so a finding reproduces from its input alone.
    FILE* stream = fmemopen((void*)data, size, "r");
    if (stream == nullptr)
        return 0;
    clearMeshTables(meshTables(propellerModel));
    clearMeshTables(meshTables(aircraftModel));
    readMeshStream(stream, meshTables(propellerModel));
    rewind(stream);
    loadAircraftModel(stream);
    fclose(stream);
    return 0;
}

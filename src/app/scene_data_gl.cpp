// scene_data_gl.cpp -- builds everything the frames draw: models, textures and mountains
#include "app/scene_data_gl.h"

#include "aircraft/mesh_model.h"
#include "common/data_files.h"
#include "environment/texture_gl.h"
#include "mountains/mountains.h"

#include <cstdio>

bool buildSceneData()
{
    // A missing aircraft file is reported and the flight goes on without the body.
    FILE* cessna = fopen(kAircraftFile, "r");
    if (cessna == nullptr) {
        printf("couldn't open cessna\n");
        loadAircraftModel(nullptr);
    } else {
        loadAircraftModel(cessna);
        fclose(cessna);
    }
    if (!loadPropellerModel())
        return false;
    loadSeaTexture();
    loadSkyTexture();
    buildMountains();
    return true;
}

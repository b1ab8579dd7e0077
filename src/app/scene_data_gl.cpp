// scene_data_gl.cpp -- builds everything the frames draw: models, textures and mountains
#include "app/scene_data_gl.h"

#include "aircraft/mesh_model.h"
#include "environment/texture_gl.h"
#include "mountains/mountains.h"

#include <cstdio>

void buildSceneData()
{
    // A missing aircraft file is reported and the flight goes on without the body.
    FILE* cessna = fopen("cessna.txt", "r");
    if (cessna == nullptr) {
        printf("couldn't open cessna\n");
        loadAircraftModel(nullptr);
    } else {
        loadAircraftModel(cessna);
        fclose(cessna);
    }
    loadPropellerModel();
    loadSeaTexture();
    loadSkyTexture();
    buildMountains();
}

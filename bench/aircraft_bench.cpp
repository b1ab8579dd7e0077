// aircraft_bench.cpp -- time to draw the aircraft body and both propellers, per frame
#include "aircraft/aircraft_geometry.h"
#include "aircraft/body_draw.h"
#include "aircraft/mesh_draw.h"
#include "aircraft/mesh_model.h"
#include "aircraft/propeller_draw.h"
#include "render/rendering_gl.h"
#include "flight/flight.h"
#include "support/mesh_reference.h"

#include <GL/freeglut.h>
#include <benchmark/benchmark.h>

#include <cstdio>

static bool loadModels()
{
    FILE* body = fopen(BRINEWINGS_DATA_DIR "/cessna.txt", "r");
    FILE* propeller = fopen(BRINEWINGS_DATA_DIR "/propeller.txt", "r");
    if (body == nullptr || propeller == nullptr)
        return false;
    loadAircraftModel(body);
    readMeshStream(propeller, meshTables(propellerModel));
    fclose(body);
    fclose(propeller);
    return true;
}

// The frame as the program draws it: empty faces are skipped.
static void BM_AircraftFrame(benchmark::State& state)
{
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawAircraftBody();
        drawPropellers();
        glFinish();
    }
}
BENCHMARK(BM_AircraftFrame)->Unit(benchmark::kMicrosecond);

// The same picture with a glBegin/glEnd pair for every face slot, empty or not: every body
// face slot and kPropellerFacesDrawn faces of both groups of both propellers per frame.
static void BM_AircraftFrameWithEmptyFaces(benchmark::State& state)
{
    MeshTables body = meshTables(aircraftModel);
    MeshTables propeller = meshTables(propellerModel);
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glPushMatrix();
            applyAircraftPlacement();
            glScalef((float)kModelScale, (float)kModelScale, (float)kModelScale);
            for (int g = 0; g < kAircraftGroups; g++)
                drawMeshGroupWithEmptyFaces(body, g, kAircraftFacesPerGroup, wireframe);
        glPopMatrix();
        for (int p = 0; p < 2; p++) {
            glPushMatrix();
                applyPropellerPlacement(p);
                drawMeshGroupWithEmptyFaces(propeller, kBladesGroup, kPropellerFacesDrawn, wireframe);
                drawMeshGroupWithEmptyFaces(propeller, kSpinnerGroup, kPropellerFacesDrawn, wireframe);
            glPopMatrix();
        }
        glFinish();
    }
}
BENCHMARK(BM_AircraftFrameWithEmptyFaces)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(1200, 1200);
    glutCreateWindow("brinewings aircraft benchmark");
    initRendering();
    reshape(1200, 1200);
    glLoadIdentity();
    gluLookAt((double)eye.x, (double)eye.y, (double)eye.z, (double)lookAt.x, (double)lookAt.y, (double)lookAt.z,
              0.0, 1.0, 0.0);
    if (!loadModels()) {
        printf("aircraft_bench: cessna.txt or propeller.txt missing in %s\n", BRINEWINGS_DATA_DIR);
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}

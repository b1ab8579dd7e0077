// frame_bench.cpp -- frame time of the full, wireframe and reference scenes at 1200 x 1200, and
// the time of each drawing routine on its own, measured between glFinish calls. Needs an X
// display (scripts/bench.sh runs it on Xvfb). Figures are medians over 300 frames.
#include "aircraft/body_draw.h"
#include "aircraft/propeller_draw.h"
#include "render/rendering_gl.h"
#include "app/scene_data_gl.h"
#include "common/random.h"
#include "environment/reference_scene_draw.h"
#include "environment/sea_sky_draw.h"
#include "flight/flight.h"
#include "render/frame_draw.h"
#include "mountains/mountains.h"

#include <GL/freeglut.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

static const int kFrames = 300;

static double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The flight of every measurement: start values, then a wide left circle (radius 25 units)
// that keeps the sea, the sky and two mountains in view.
static void startFlight(int wire, int reference)
{
    eye = {-1.0f, 1.0f, -1.0f};
    lookAt = {0.0f, 1.0f, 0.0f};
    heading = 0.0f;
    steer = -0.2f;
    speed = 0.1f;
    propTime = 0.0f;
    wireframe = wire;
    referenceScene = reference;
    fogOn = 1;
    mountainsOn = 1;
}

static void reportMedian(benchmark::State& state, std::vector<double>& seconds)
{
    std::sort(seconds.begin(), seconds.end());
    state.counters["median_ms"] = seconds[seconds.size() / 2] * 1e3;
    state.counters["p90_ms"] = seconds[seconds.size() * 9 / 10] * 1e3;
}

// A whole frame as the program shows it: tick, draw, swap, wait for the pixels.
static void wholeFrame(benchmark::State& state, int wire, int reference)
{
    startFlight(wire, reference);
    std::vector<double> seconds;
    for (auto _ : state) {
        glFinish();
        auto start = std::chrono::steady_clock::now();
        advanceFlight();
        drawFrame();
        glutSwapBuffers();
        glFinish();
        double s = secondsSince(start);
        seconds.push_back(s);
        state.SetIterationTime(s);
    }
    reportMedian(state, seconds);
}

// One drawing routine under the frame's camera and light, with the frame's other content
// drawn first, so the routine sees the state it sees in the program.
static void oneRoutine(benchmark::State& state, const std::function<void()>& routine, int wire, int reference)
{
    startFlight(wire, reference);
    std::vector<double> seconds;
    for (auto _ : state) {
        advanceFlight();
        drawFrame();
        glLineWidth(1.0f);
        glFinish();
        auto start = std::chrono::steady_clock::now();
        routine();
        glFinish();
        double s = secondsSince(start);
        seconds.push_back(s);
        state.SetIterationTime(s);
        glutSwapBuffers();
    }
    reportMedian(state, seconds);
}

#define FRAME_BENCHMARK(name, ...) \
    BENCHMARK_CAPTURE(name, __VA_ARGS__)->UseManualTime()->Iterations(kFrames)->Unit(benchmark::kMillisecond)

FRAME_BENCHMARK(wholeFrame, full_scene_fog_mountains, 0, 0);
FRAME_BENCHMARK(wholeFrame, wireframe_scene, 1, 0);
FRAME_BENCHMARK(wholeFrame, reference_scene, 0, 1);
FRAME_BENCHMARK(oneRoutine, aircraft_body, drawAircraftBody, 0, 0);
FRAME_BENCHMARK(oneRoutine, propellers, drawPropellers, 0, 0);
FRAME_BENCHMARK(oneRoutine, sea, drawSea, 0, 0);
FRAME_BENCHMARK(oneRoutine, sky, drawSky, 0, 0);
FRAME_BENCHMARK(oneRoutine, three_mountains, drawMountains, 0, 0);
FRAME_BENCHMARK(oneRoutine, reference_scene, drawReferenceScene, 0, 1);
FRAME_BENCHMARK(oneRoutine, aircraft_body_wire, drawAircraftBody, 1, 0);
FRAME_BENCHMARK(oneRoutine, sea_wire, drawSea, 1, 0);
FRAME_BENCHMARK(oneRoutine, sky_wire, drawSky, 1, 0);
FRAME_BENCHMARK(oneRoutine, three_mountains_wire, drawMountains, 1, 0);

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    seedRandom(2);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(1200, 1200);
    glutCreateWindow("brinewings frame benchmark");
    if (chdir(BRINEWINGS_DATA_DIR) != 0)
        return 1;
    buildSceneData();
    initRendering();
    reshape(1200, 1200);
    benchmark::AddCustomContext("renderer", (const char*)glGetString(GL_RENDERER));
    benchmark::AddCustomContext("window", "1200 x 1200");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

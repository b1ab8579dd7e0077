// main.cpp -- process entry: checks the command line, opens the surface, builds the scene, then
// hands over to the run's loop
#include "app/scene_data_gl.h"
#include "common/random.h"
#include "environment/texture_gl.h"
#include "flight/controls.h"
#include "render/rendering_gl.h"
#include "platform/offscreen_gpu.h"
#include "run/run_loop_gl.h"
#include "run/run_rules.h"
#include "output/standard_output.h"

#include <cstdio>

int main(int argc, char** argv)
{
    // The command line, the flight file and the outputs are checked before any window system
    // starts: --help, --version and every refusal end here, with or without a display.
    int early = prepareRun(argc, argv, listGpus);
    if (early >= 0)
        return early;
    // Last, after every refusal: a window needs a display.
    if (!surfaceAvailable(&argc, argv))
        return 1;
    // The images decode on helper threads while the surface opens.
    startTextureDecoding();
    seedRandom(2);
    if (!openSurface(&argc, argv))
        return 1;
    if (!buildSceneData())
        return 1;
    initRendering();
    printControls(stdout);
    // Shown at once even when standard output is a pipe or a log file.
    flushStandardOutput();
    runFlight();
}

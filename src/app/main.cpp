// main.cpp -- process entry: builds everything the scene needs, then runs the event loop
#include "app/callbacks_gl.h"
#include "app/rendering_gl.h"
#include "app/scene_data_gl.h"
#include "common/random.h"
#include "desktop/window_identity_gl.h"
#include "environment/texture_gl.h"
#include "run/offscreen_gl.h"
#include "run/run_loop_gl.h"
#include "run/standard_output.h"

#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>

static void printControls()
{
    printf("== CONTROLS ==\n");
    printf("MOUSE\t\tDirection\n");
    printf("UP ARROW\tIncrease Altitude\n");
    printf("DOWN ARROW\tDecrease Altitude\n");
    printf("PAGE UP\t\tIncrease Speed\n");
    printf("PAGE DOWN\tDecrease Speed\n\n");
    printf("W\t\tToggle Wireframe\n");
    printf("S\t\tToggle Scene\n");
    printf("M\t\tToggle Mountains\n");
    printf("B\t\tToggle Fog\n\n");
    printf("F\t\tToggle Fullscreen\n\n");
    printf("Q\t\tQuit\n\n");
    // Shown at once even when standard output is a pipe or a log file.
    flushStandardOutput();
}

int main(int argc, char** argv)
{
    // The command line, the flight file and the outputs are checked before freeglut opens the
    // display: --help, --version and every refusal end here, with or without one.
    int early = prepareRun(argc, argv);
    if (early >= 0)
        return early;
    startTextureDecoding();
    // Off-screen: no window and no X connection, so freeglut is never started. EGL draws into
    // a pbuffer of the window's size; the start-up is otherwise the window's.
    const RunOptions& options = runOptions();
    if (options.offscreen) {
        int width = options.width > 0 ? options.width : kWindowSide;
        int height = options.height > 0 ? options.height : kWindowSide;
        seedRandom(2);
        if (!startOffscreen(width, height))
            return 1;
        buildSceneData();
        initRendering();
        printControls();
        reshape(width, height);
        flyOffscreen();
    }
    glutInit(&argc, argv);
    seedRandom(2);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    // A size asked for (--size, -geometry) is kept as given; the default square is fitted to
    // a short screen.
    bool sized = options.width != 0;
    glutInitWindowSize(sized ? options.width : kWindowSide, sized ? options.height : kWindowSide);
    glutCreateWindow("brinewings");
    presentWindowToDesktop(!sized);
    if (options.fullScreen)
        glutFullScreen();

    glutDisplayFunc(display);
    glutIdleFunc(idle);
    glutKeyboardFunc(keyboard);
    glutSpecialFunc(specialKeys);
    glutPassiveMotionFunc(mouseMove);
    glutReshapeFunc(reshape);

    buildSceneData();
    initRendering();
    printControls();
    beginRun();
    glutMainLoop();
    return 0;
}

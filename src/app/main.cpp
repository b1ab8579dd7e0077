// main.cpp -- process entry: builds everything the scene needs, then runs the event loop
#include "app/callbacks_gl.h"
#include "app/rendering_gl.h"
#include "app/scene_data_gl.h"
#include "common/random.h"
#include "desktop/window_identity_gl.h"
#include "environment/texture_gl.h"
#include "run/offscreen_gl.h"
#include "run/run_loop_gl.h"

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
    fflush(stdout);
}

int main(int argc, char** argv)
{
    startTextureDecoding();
    // Our options are read first (freeglut's own are ignored); a bad one ends the run before
    // any window.
    if (!prepareRun(argc, argv))
        return 2;
    // Off-screen: no window and no X connection, so freeglut is never started. EGL draws into
    // a framebuffer object of the window's size; the start-up is otherwise the window's.
    const RunOptions& run = runOptions();
    if (run.offscreen) {
        int width = run.width > 0 ? run.width : kWindowSide;
        int height = run.height > 0 ? run.height : kWindowSide;
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
    glutInitWindowSize(kWindowSide, kWindowSide);
    glutCreateWindow("brinewings");
    presentWindowToDesktop();

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

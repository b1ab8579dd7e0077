// main.cpp -- process entry: builds everything the scene needs, then runs the event loop
#include "app/idle.h"
#include "app/input.h"
#include "app/rendering.h"
#include "app/scene_data.h"
#include "app/scripted_run.h"
#include "app/window_identity.h"
#include "common/random.h"
#include "environment/texture_gl.h"
#include "flight/flight.h"
#include "flight/frame_draw.h"

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
    glutInit(&argc, argv);
    // Our options are read from what freeglut leaves; a bad one ends the run before any window.
    if (!prepareScriptedRun(argc, argv))
        return 2;
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
    beginScriptedRun();
    glutMainLoop();
    return 0;
}

// idle.cpp -- the idle callback: one tick of flight per call, then a frame
#include "app/idle.h"

#include "flight/flight.h"

#include <GL/freeglut.h>

void idle()
{
    advanceFlight();
    glutPostRedisplay();
}

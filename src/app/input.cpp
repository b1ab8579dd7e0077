// input.cpp -- keyboard and mouse callbacks: window events handed to the input mapping
#include "app/input.h"

#include "app/input_mapping.h"
#include "app/rendering.h"

#include <GL/freeglut.h>

#include <cstdlib>

void keyboard(unsigned char key, int, int)
{
    switch (key) {
    case 'f': case 'F': glutFullScreenToggle(); break;
    case 'q': case 'Q': std::exit(0);
    default: flipToggleForKey(key); break;
    }
}

void specialKeys(int key, int, int)
{
    switch (key) {
    case GLUT_KEY_UP: climb(); break;
    case GLUT_KEY_DOWN: descend(); break;
    case GLUT_KEY_PAGE_UP: speedUp(); break;
    case GLUT_KEY_PAGE_DOWN: slowDown(); break;
    default: break;
    }
}

void mouseMove(int x, int)
{
    steerToPointer(x, winWidth);
}

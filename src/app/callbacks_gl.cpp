// callbacks_gl.cpp -- the GLUT callbacks: window events turned into flight events, ticks and frames
#include "app/callbacks_gl.h"

#include "app/rendering_gl.h"
#include "flight/flight_file.h"
#include "run/run_loop_gl.h"

#include <GL/freeglut.h>

#include <algorithm>

static_assert(GLUT_KEY_UP == 101 && GLUT_KEY_DOWN == 103 && GLUT_KEY_PAGE_UP == 104 &&
                  GLUT_KEY_PAGE_DOWN == 105,
              "the special-key table (flight/flight_input.cpp) holds GLUT's codes");

void keyboard(unsigned char key, int, int)
{
    takeLiveEvent(kFlightKey, key, 0);
}

void specialKeys(int key, int, int)
{
    int special = specialKeyForCode(key);
    if (special >= 0)
        takeLiveEvent(kFlightSpecial, special, 0);
}

void mouseMove(int x, int)
{
    // A minimised window can report width 0; steering takes it as 1, and so does a recording.
    // X window coordinates fit in 16 bits, well inside a flight file's bounds.
    takeLiveEvent(kFlightPointer, std::clamp(x, -kFlightMaxCoordinate, kFlightMaxCoordinate),
                  std::clamp(winWidth, 1, kFlightMaxCoordinate));
}

void idle()
{
    runTick();
}

void display()
{
    showFrame();
}

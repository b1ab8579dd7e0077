// gl_context.cpp -- entry point of the OpenGL tests: an off-screen EGL context with no X
// server, or, with BRINEWINGS_TEST_WINDOW set, a hidden GLUT window (for the soak test's swaps)
#include "run/offscreen_gl.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    // Listing the tests needs no context; CTest lists them before it runs them.
    for (int i = 1; i < argc; i++)
        if (std::strcmp(argv[i], "--gtest_list_tests") == 0)
            return RUN_ALL_TESTS();
    if (std::getenv("BRINEWINGS_TEST_WINDOW") == nullptr)
        return startOffscreen(1200, 1200) ? RUN_ALL_TESTS() : 1;
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(1200, 1200);
    glutCreateWindow("brinewings tests");
    glutHideWindow();
    return RUN_ALL_TESTS();
}

// gl_context.cpp -- entry point of the OpenGL tests: one real GLUT window and context
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstring>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    // Listing the tests needs no X server; CTest lists them before it runs them.
    for (int i = 1; i < argc; i++)
        if (std::strcmp(argv[i], "--gtest_list_tests") == 0)
            return RUN_ALL_TESTS();

    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(1200, 1200);
    glutCreateWindow("brinewings tests");
    glutHideWindow();
    return RUN_ALL_TESTS();
}

// floor_program.cpp -- the smallest freeglut program with brinewings' window: clear and swap.
// Its start-up time is the floor that brinewings' own start-up is measured against.
#include <GL/freeglut.h>

static void display()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glutSwapBuffers();
}

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(1200, 1200);
    glutCreateWindow("floor");
    glutDisplayFunc(display);
    glutMainLoop();
    return 0;
}

// glut.h -- stand-in that stops the compile: the simulation library and its unit tests use no OpenGL
#error "OpenGL, GLU and GLUT headers are not available to brinewings_sim and the unit tests"

// display_check_x11.h -- a window needs an X display that answers: said in one line, before freeglut
#pragma once

// True when the X display named by display (freeglut's -display), or else by DISPLAY, accepts
// a connection, which is then kept open. Otherwise one line on standard error says why, for
// freeglut would end the program with a line of its own that does not say what to do.
bool displayAnswers(const char* display);

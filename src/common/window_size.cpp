// window_size.cpp -- the size of the surface the frames are drawn on
#include "common/window_size.h"

int initWidth = kWindowSide;
int initHeight = kWindowSide;
int winWidth = kWindowSide;
int winHeight = kWindowSide;

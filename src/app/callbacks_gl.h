// callbacks_gl.h -- the GLUT callbacks: window events turned into flight events, ticks and frames
#pragma once

// Character keys, as a key event of the current tick (run/run_loop_gl.h takeLiveEvent): q/Q
// ends the run, f/F toggles full screen, w, s, b and m flip their toggle, in either case. The
// pointer position is ignored.
void keyboard(unsigned char key, int x, int y);

// Special keys with a binding (Up, Down, Page Up, Page Down), as special events; other keys do
// nothing. The pointer position is ignored.
void specialKeys(int key, int x, int y);

// Passive pointer motion, as a pointer event at column x of a window winWidth pixels wide; y is
// ignored.
void mouseMove(int x, int y);

// The idle callback: one tick of the flight (runTick), then a frame requested. There is no
// clock: the flight advances by one tick per call, whatever time has passed.
void idle();

// The display callback: the frame of the current tick (showFrame).
void display();

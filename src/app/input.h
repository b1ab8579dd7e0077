// input.h -- keyboard and mouse callbacks; they only write the flight state and toggles
#pragma once

// Character keys: w/W wireframe, s/S reference scene, b/B fog, m/M mountains (each flips its
// flag), f/F toggles full screen, q/Q ends the process with status 0. Other keys do nothing;
// the pointer position is ignored.
void keyboard(unsigned char key, int x, int y);

// Special keys: Up/Down move eye.y and lookAt.y together by climbStep; Page Up/Down change
// speed by 0.05 between its bounds. Other keys do nothing; the pointer position is ignored.
void specialKeys(int key, int x, int y);

// Passive pointer motion: steer = 2 * (x / winWidth - 0.5), so -1 at the left edge, 0 at the
// centre. x is in window pixels; y is ignored. A zero-width window counts as one pixel wide.
void mouseMove(int x, int y);

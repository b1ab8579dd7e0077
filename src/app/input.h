// input.h -- keyboard and mouse callbacks; they only write the flight state and toggles
#pragma once

// Character keys: f/F toggles full screen, q/Q ends the process with status 0, the toggle keys
// flip their flag (flipToggleForKey). Other keys do nothing; the pointer position is ignored.
void keyboard(unsigned char key, int x, int y);

// Special keys: Up/Down climb and descend, Page Up/Down change speed (app/input_mapping.h).
// Other keys do nothing; the pointer position is ignored.
void specialKeys(int key, int x, int y);

// Passive pointer motion: steering from the column x in a window winWidth pixels wide
// (steerToPointer); y is ignored.
void mouseMove(int x, int y);

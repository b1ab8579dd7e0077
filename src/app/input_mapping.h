// input_mapping.h -- what each control does to the flight state and toggles, without a window
#pragma once

// Steering from the pointer: steer = 2 * (x / windowWidth - 0.5), so -1 at the left edge and 0
// at the centre. x is a window column in pixels; a width below 1 counts as one pixel wide.
void steerToPointer(int x, int windowWidth);

// Up and Down arrows: eye.y and lookAt.y together by climbStep, without bound.
void climb();
void descend();

// Page Up and Page Down: speed by 0.05 while it is below 0.55 or above 0.1 (compared in double,
// so the lowest level is about 0.05).
void speedUp();
void slowDown();

// w/W wireframe, s/S referenceScene, b/B fogOn, m/M mountainsOn: flips that toggle. Any other
// key changes nothing.
void flipToggleForKey(unsigned char key);

// input_mapping.h -- what each control does to the flight state and toggles, without a window
#pragma once

// Steering from the pointer: the column's place across the window, from -1 at the left edge
// through 0 at the centre to +1 at the right edge. x is a window column in pixels; a width
// below 1 counts as one pixel wide.
void steerToPointer(int x, int windowWidth);

// Up and Down arrows: eye.y and lookAt.y together by climbStep, without bound.
void climb();
void descend();

// Page Up and Page Down: speed by kSpeedStep while it is below kSpeedUpBelow or above
// kSlowDownAbove (input_mapping.cpp; compared in double, so the float nearest kSlowDownAbove
// counts as above it and the lowest level is one step below it).
void speedUp();
void slowDown();

// w/W wireframe, s/S referenceScene, b/B fogOn, m/M mountainsOn: flips that toggle. Any other
// key changes nothing.
void flipToggleForKey(unsigned char key);

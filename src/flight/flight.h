// flight.h -- the flight state, the display toggles and the tick that advances them
#pragma once

#include "common/float_eval.h"
#include "common/vec3.h"

// World axes: y is up, the sea is the plane y = 0. A heading of 0 flies along +z;
// a growing heading turns toward +x.
extern Vec3 eye;            // camera position, world units; x, z written by the tick, y by Up/Down
extern Vec3 lookAt;         // point the camera looks at; x, z written by the tick, y by Up/Down
extern float heading;       // direction of travel, radians, never wrapped; written by the tick
extern float steer;         // steering input, -1 (left edge) .. +1 (right edge); written by mouseMove
extern float speed;         // world units flown per tick; written by Page Up/Down
extern float turnGain;      // gain of the heading update; constant 20
extern float climbStep;     // altitude change per arrow press, world units; constant 0.2
extern float propTime;      // propeller clock, grows by 0.001 per tick
extern int wireframe;       // 1: outlines instead of filled surfaces; flipped by W
extern int referenceScene;  // 1: axes, sphere and grid instead of sea, sky and mountains; flipped by S
extern int fogOn;           // 1: the sea is fogged; flipped by B
extern int mountainsOn;     // 1: the three mountains are drawn; flipped by M

// One tick of the flight: turn by the steering input, aim one unit ahead of the old position,
// move by speed, advance the propeller clock. Plain arithmetic; the idle callback (app/idle.h)
// runs it and then asks for a frame.
void advanceFlight();

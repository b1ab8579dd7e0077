// flight.h -- the flight state, the display toggles and the tick that advances them
#pragma once

#include "common/float_eval.h"
#include "common/vec3.h"

// World axes: y is up, the sea is the plane y = 0. A heading of 0 flies along +z;
// a growing heading turns toward +x.

// ---- tick state: what the tick and the controls change as the flight goes on ----
extern Vec3 eye;            // camera position, world units; x, z written by the tick, y by Up/Down
extern Vec3 lookAt;         // point the camera looks at; x, z written by the tick, y by Up/Down
extern float heading;       // direction of travel, radians, never wrapped; written by the tick
extern float steer;         // steering input, -1 (left edge) .. +1 (right edge); written by pointer events
extern float speed;         // world units flown per tick; written by Page Up/Down
extern float propTime;      // propeller clock, advanced by the tick

// ---- tunables: set at start, never changed by the program ----
extern float turnGain;      // gain of the heading update
extern float climbStep;     // altitude change per arrow press, world units

// ---- toggles: 1 on, 0 off, each flipped by its key ----
extern int wireframe;       // outlines instead of filled surfaces; W
extern int referenceScene;  // axes, sphere and grid instead of sea, sky and mountains; S
extern int fogOn;           // the sea is fogged; B
extern int mountainsOn;     // the three mountains are drawn; M

// Puts every variable above back to the value the program starts with.
void resetFlight();

// One tick of the flight: turn by the steering input, aim one unit ahead of the old position,
// move by speed, advance the propeller clock. Plain arithmetic; advanceTick (flight/flight_input.h)
// runs it and counts the tick.
void advanceFlight();

// body_draw.h -- places and draws the aircraft body ahead of and below the camera
#pragma once

// Multiplies onto the current matrix, without push or pop: a translation to 1.4 world units
// ahead of eye along the heading and 0.5 below it, a yaw of heading (radians, converted with
// 57.29577957855229) + 90 degrees about y, a bank of -steer * 30 degrees about x. The model's
// -x axis then points along the flight, +y up. Computed in double, handed over as float.
void applyAircraftPlacement();

// Draws aircraftModel at the placement, scaled by 0.6, every group 0..32 with its diffuse
// colour (yellow, black, purple or blue by group number), as polygons or, when wireframe is
// set, lit line loops. Expects the camera transform in the modelview matrix, lighting and
// GL_NORMALIZE on. Leaves the matrix stack as it found it and, for front faces, ambient
// paleBlue, specular specularColour, diffuse yellow (group 32's) and shininess 0.
void drawAircraftBody();

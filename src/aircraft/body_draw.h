// body_draw.h -- places and draws the aircraft body ahead of and below the camera
#pragma once

// Multiplies onto the current matrix, without push or pop: a translation to kAheadOfEye world
// units ahead of eye along the heading and kBelowEye below it, a yaw of heading (radians,
// converted with kDegreesPerRadian) plus kYawOffset degrees about y, a bank of
// -steer * kBankPerSteer degrees about x (the constants are body_draw.cpp's). The model's -x
// axis then points along the flight, +y up. Computed in double, handed over as float.
void applyAircraftPlacement();

// Draws aircraftModel at the placement, scaled by kModelScale (aircraft/aircraft_geometry.h),
// every group below kAircraftGroups with the diffuse colour of its part, as polygons or, when
// wireframe is set, lit line loops. Expects the camera transform in the modelview matrix,
// lighting and GL_NORMALIZE on. Leaves the matrix stack as it found it and, for front faces,
// ambient paleBlue, specular specularColour, diffuse yellow (the last group's) and shininess 0.
void drawAircraftBody();

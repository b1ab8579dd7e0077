// propeller_draw.h -- the two counter-rotating propellers drawn from propellerModel
#pragma once

// Spin angle of propeller 0 (the first) or 1 (the second), degrees about the model's x axis:
// -propTime * kSpinDegreesPerPropTime * (speed * kSpinPerSpeed) for the first (constants of
// propeller_draw.cpp), the opposite for the second.
float propellerSpinAngle(int propeller);

// Multiplies onto the current matrix the frame propeller 0 or 1 is drawn in: the aircraft
// placement, for the second a shift by kSecondPropellerOffset along the placed frame's z, the
// scale kModelScale and the spin about the pivot axis (all in aircraft/aircraft_geometry.h).
void applyPropellerPlacement(int propeller);

// Draws the first and then the second propeller, each inside its own push and pop, from
// propellerModel's two groups, the first kPropellerFacesDrawn faces of each: the blades with
// specular specularColour and diffuse yellow, the spinner with specular black and diffuse red.
// Expects what drawAircraftBody expects and runs right after it. Leaves the matrix stack as it found
// it and, for front faces, specular black, diffuse red, shininess 0, the ambient unchanged.
void drawPropellers();

// propeller_draw.h -- the two counter-rotating propellers drawn from propellerModel
#pragma once

// Spin angle of propeller 0 (the first) or 1 (the second), degrees about the model's x
// axis: -propTime * 10000 * (speed * 10) for the first, the opposite for the second.
float propellerSpinAngle(int propeller);

// Multiplies onto the current matrix the frame propeller 0 or 1 is drawn in: the aircraft
// placement, for the second a shift of 0.421 world units along the placed frame's -z, the
// scale 0.6 and the spin about the axis through (0, -0.15, 0.35) parallel to x.
void applyPropellerPlacement(int propeller);

// Draws the first and then the second propeller, each inside its own push and pop, from
// propellerModel's two groups, faces 0..132 of each: group 0 with specular specularColour and
// diffuse yellow, group 1 with specular black and diffuse red. Expects
// what drawAircraftBody expects and runs right after it. Leaves the matrix stack as it found
// it and, for front faces, specular black, diffuse red, shininess 0, the ambient unchanged.
void drawPropellers();

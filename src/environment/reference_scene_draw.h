// reference_scene_draw.h -- axes, sphere and grid at the world origin, for orientation
#pragma once

// Draws the x, y, z axes (red, green, blue, unlit, kAxisWidth pixels wide), a sphere of radius
// kSphereRadius (lit white solid, or an unlit white line mesh of kSphereSlices by kSphereStacks
// when wireframe is set) and a white grid of overlapping 2 x 2 line loops centred on every whole
// x and z from -kGridHalfCount to kGridHalfCount in the plane y = 0 (reference_scene_draw.cpp).
// Leaves behind: lighting on, line width 1, current colour white, modelview as on entry;
// front material ambient black and diffuse white (and specular black after filled drawing).
void drawReferenceScene();

// reference_scene_draw.h -- axes, sphere and grid at the world origin, for orientation
#pragma once

// Draws the x, y, z axes (red, green, blue, unlit, 5 pixels wide), a sphere of radius 0.5
// (lit white solid, or unlit white 16 x 16 line mesh when wireframe is set) and a white grid
// of 21 x 21 overlapping 2 x 2 line loops in the plane y = 0.
// Leaves behind: lighting on, line width 1, current colour white, modelview as on entry;
// front material ambient black and diffuse white (and specular black after filled drawing).
void drawReferenceScene();

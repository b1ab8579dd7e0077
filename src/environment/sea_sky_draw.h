// sea_sky_draw.h -- the sea disk and the sky cylinder around the world origin
#pragma once

// Draws the sea: an unlit disk of radius kSeaRadius in the plane y = 0, centred on the origin,
// facing +y, kSeaSlices by kSeaLoops (sea_sky_draw.cpp), textured with seaTexture (the image's top row at
// the +z rim). Filled, or a textured line mesh when wireframe is set. When fogOn is set, fog
// is switched on around the disk alone. Without a quadric from GLU the disk is skipped.
// Leaves behind: lighting on, texturing and fog off, front shininess 0, current colour white,
// modelview as on entry; after filled drawing the shade model is GL_SMOOTH.
void drawSea();

// Draws the sky: an unlit open cylinder of radius kSkyRadius around the y axis, kSkyHeight tall
// from y = kSkyTop down, kSkySlices by kSkyStacks (sea_sky_draw.cpp), textured with skyTexture wrapped once around it (the
// image's top row along the upper rim). In wireframe the line mesh gets no texture
// coordinates of its own and takes the sky texture's colour at the coordinate left current
// by the sea. Without a quadric from GLU the cylinder is skipped.
// Leaves behind: lighting on, texturing off, current colour white, modelview as on entry.
void drawSky();

// texture_gl.h -- the sea and sky images, decoded at start-up into mipmapped OpenGL textures
#pragma once

#include "environment/image_decode.h"

// Texture names (made by glGenTextures, the sea's first) and the decoded images, kept for the
// whole run. Written only by the loaders below; drawSea and drawSky bind the names.
// A file that cannot be used leaves its image without pixels and with sizes 0: the texture
// name still exists but has no image, and the surface is drawn untextured.
extern unsigned int seaTexture;  // GL texture name of the sea
extern unsigned int skyTexture;  // GL texture name of the sky
extern DecodedImage seaImage;    // decoded "sea02.jpg"; written by loadSeaTexture
extern DecodedImage skyImage;    // decoded "sky08.jpg"; written by loadSkyTexture

// Starts decoding "sea02.jpg" and "sky08.jpg" on helper threads (startImagePrefetch), so the
// images are ready when the loaders below need them. Optional: without it the loaders decode
// the files themselves. Needs no OpenGL; messages about bad files are still printed by the
// loaders, in their turn.
void startTextureDecoding();

// Makes seaTexture from "sea02.jpg" in the working directory. Call once, with a GL context.
void loadSeaTexture();
// Makes skyTexture from "sky08.jpg" in the working directory. Call once, after loadSeaTexture.
void loadSkyTexture();

// The loaders' common path, open to tests for other file names: takes the decoded file
// (collectImage) into *image, printing its failure line if it has one; generates one texture
// name into *texture and binds it to GL_TEXTURE_2D; and, when the image has pixels, uploads
// it with every mipmap level down to 1 x 1 (gluBuild2DMipmaps, sides rescaled to powers of
// two) and sets trilinear minification and linear magnification. Leaves the new texture
// bound; the unpack alignment and every other state is as on entry. *image keeps the pixels
// (release them with releaseImage).
void loadTextureFile(const char* file, unsigned int* texture, DecodedImage* image);

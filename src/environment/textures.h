// textures.h -- the sea and sky images, decoded at start-up into mipmapped OpenGL textures
#pragma once

// Texture names (made by glGenTextures, the sea's first) and the decoded images, kept for the
// whole run. Written only by the loaders below; drawSea and drawSky bind the names.
// A file that cannot be used leaves its pixels null and its sizes 0: the texture name still
// exists but has no image, and the surface is drawn untextured.
extern unsigned int seaTexture;     // GL texture name of the sea
extern unsigned int skyTexture;     // GL texture name of the sky
extern unsigned char* seaPixels;    // decoded sea image, 3 bytes per pixel, top row first; or null
extern unsigned char* skyPixels;    // decoded sky image, 3 bytes per pixel, top row first; or null
extern int seaWidth;                // pixels per row of the sea image
extern int seaHeight;               // rows of the sea image
extern int seaChannels;             // channels stored in the sea file (1..4); recorded only
extern int skyWidth;                // pixels per row of the sky image
extern int skyHeight;               // rows of the sky image
extern int skyChannels;             // channels stored in the sky file (1..4); recorded only

// Largest image side accepted, in pixels. Bigger images are refused before they are decoded,
// so a hostile header cannot make the program allocate gigabytes.
constexpr int kTextureSideLimit = 8192;

// Starts decoding "sea02.jpg" and "sky08.jpg" on helper threads, so the images are ready when
// the loaders below need them. Optional: without it the loaders decode the files themselves.
// Needs no OpenGL; messages about bad files are still printed by the loaders, in their turn.
void startTextureDecoding();

// Makes seaTexture from "sea02.jpg" in the working directory. Call once, with a GL context.
void loadSeaTexture();
// Makes skyTexture from "sky08.jpg" in the working directory. Call once, after loadSeaTexture.
void loadSkyTexture();

// Decodes an image file (any format stb_image knows, recognised by content) into 3 bytes per
// pixel, red, green, blue, top row first, whatever channel count the file holds. On success
// *pixels is the buffer (the caller owns it; release with stbi_image_free), *width and *height
// are its size and *channels the file's own channel count. On failure (missing, empty,
// truncated or undecodable file, or a side above kTextureSideLimit) it prints one line naming
// the file and the reason, and sets *pixels to null and the three numbers to 0. No OpenGL.
void decodeTextureImage(const char* file, unsigned char** pixels, int* width, int* height,
                        int* channels);

// The loaders' common path, open to tests for other file names: generates one texture name
// into *texture, binds it to GL_TEXTURE_2D, decodes the file (decodeTextureImage) and, when
// that succeeds, uploads it with every mipmap level down to 1 x 1 (gluBuild2DMipmaps, sides
// rescaled to powers of two) and sets trilinear minification and linear magnification.
// Leaves the new texture bound; the unpack alignment and every other state is as on entry.
void loadTextureFile(const char* file, unsigned int* texture, unsigned char** pixels,
                     int* width, int* height, int* channels);

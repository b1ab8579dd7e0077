// textures.cpp -- decodes the sea and sky images and turns them into mipmapped textures
#include "environment/textures.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <stb_image.h>

#include <cstdio>

unsigned int seaTexture = 0;
unsigned int skyTexture = 0;
unsigned char* seaPixels = nullptr;
unsigned char* skyPixels = nullptr;
int seaWidth = 0;
int seaHeight = 0;
int seaChannels = 0;
int skyWidth = 0;
int skyHeight = 0;
int skyChannels = 0;

static const char* const kSeaFile = "sea02.jpg";
static const char* const kSkyFile = "sky08.jpg";
static const int kRgbBytes = 3;  // bytes per uploaded pixel

static void clearImage(unsigned char** pixels, int* width, int* height, int* channels)
{
    *pixels = nullptr;
    *width = 0;
    *height = 0;
    *channels = 0;
}

static bool sideAccepted(int side)
{
    return side >= 1 && side <= kTextureSideLimit;
}

void decodeTextureImage(const char* file, unsigned char** pixels, int* width, int* height,
                        int* channels)
{
    clearImage(pixels, width, height, channels);

    // Read the header first, so an absurd size is refused before anything is allocated.
    int w = 0, h = 0, n = 0;
    if (stbi_info(file, &w, &h, &n) == 0) {
        printf("couldn't load texture %s: %s\n", file, stbi_failure_reason());
        return;
    }
    if (!sideAccepted(w) || !sideAccepted(h)) {
        printf("couldn't load texture %s: %d x %d pixels is larger than %d x %d\n",
               file, w, h, kTextureSideLimit, kTextureSideLimit);
        return;
    }

    // Three channels are always asked for: the upload reads three bytes per pixel, so grey
    // or alpha images are converted by the decoder instead of being read at the wrong stride.
    unsigned char* decoded = stbi_load(file, &w, &h, &n, kRgbBytes);
    if (decoded == nullptr) {
        printf("couldn't load texture %s: %s\n", file, stbi_failure_reason());
        return;
    }
    // The file could have changed between the two reads; check the size actually decoded.
    if (!sideAccepted(w) || !sideAccepted(h)) {
        printf("couldn't load texture %s: %d x %d pixels is larger than %d x %d\n",
               file, w, h, kTextureSideLimit, kTextureSideLimit);
        stbi_image_free(decoded);
        return;
    }
    *pixels = decoded;
    *width = w;
    *height = h;
    *channels = n;
}

// Uploads a decoded image with its full mipmap chain into the bound texture. Rows of
// 3 x width bytes are packed without padding, so an alignment of 1 is set for widths whose
// rows are not a multiple of 4 bytes, and the previous alignment is put back afterwards.
static void uploadMipmaps(const char* file, const unsigned char* pixels, int width, int height)
{
    GLint oldAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &oldAlignment);
    bool packed = ((long)width * kRgbBytes) % 4 != 0;
    if (packed)
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    GLint result = gluBuild2DMipmaps(GL_TEXTURE_2D, kRgbBytes, width, height, GL_RGB,
                                     GL_UNSIGNED_BYTE, pixels);
    if (packed)
        glPixelStorei(GL_UNPACK_ALIGNMENT, oldAlignment);
    if (result != 0)
        printf("couldn't build the mipmaps of texture %s: %s\n", file,
               (const char*)gluErrorString((GLenum)result));
}

void loadTextureFile(const char* file, unsigned int* texture, unsigned char** pixels,
                     int* width, int* height, int* channels)
{
    decodeTextureImage(file, pixels, width, height, channels);
    // The name is made even without an image, so both names always exist, the sea's first.
    glGenTextures(1, texture);
    glBindTexture(GL_TEXTURE_2D, *texture);
    if (*pixels == nullptr)
        return;
    uploadMipmaps(file, *pixels, *width, *height);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

void loadSeaTexture()
{
    loadTextureFile(kSeaFile, &seaTexture, &seaPixels, &seaWidth, &seaHeight, &seaChannels);
}

void loadSkyTexture()
{
    loadTextureFile(kSkyFile, &skyTexture, &skyPixels, &skyWidth, &skyHeight, &skyChannels);
}

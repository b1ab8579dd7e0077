// texture_gl.cpp -- turns the decoded sea and sky images into mipmapped textures
#include "environment/texture_gl.h"

#include "common/data_files.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>

unsigned int seaTexture = 0;
unsigned int skyTexture = 0;
DecodedImage seaImage = {};
DecodedImage skyImage = {};

void startTextureDecoding()
{
    startImagePrefetch(kSeaImageFile);
    startImagePrefetch(kSkyImageFile);
}

// Uploads a decoded image with its full mipmap chain into the bound texture. Rows of
// 3 x width bytes are packed without padding, so an alignment of 1 is set for widths whose
// rows are not a multiple of 4 bytes, and the previous alignment is put back afterwards.
static void uploadMipmaps(const char* file, const DecodedImage& image)
{
    GLint oldAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &oldAlignment);
    bool packed = ((long)image.width * kRgbBytes) % 4 != 0;
    if (packed)
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    GLint result = gluBuild2DMipmaps(GL_TEXTURE_2D, kRgbBytes, image.width, image.height, GL_RGB,
                                     GL_UNSIGNED_BYTE, image.pixels);
    if (packed)
        glPixelStorei(GL_UNPACK_ALIGNMENT, oldAlignment);
    if (result != 0)
        printf("couldn't build the mipmaps of texture %s: %s\n", file,
               (const char*)gluErrorString((GLenum)result));
}

void loadTextureFile(const char* file, unsigned int* texture, DecodedImage* image)
{
    collectImage(file, image);
    if (image->failure[0] != '\0')
        printf("%s\n", image->failure);
    // The name is made even without an image, so both names always exist, the sea's first.
    glGenTextures(1, texture);
    glBindTexture(GL_TEXTURE_2D, *texture);
    if (image->pixels == nullptr)
        return;
    uploadMipmaps(file, *image);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

void loadSeaTexture()
{
    loadTextureFile(kSeaImageFile, &seaTexture, &seaImage);
}

void loadSkyTexture()
{
    loadTextureFile(kSkyImageFile, &skyTexture, &skyImage);
}

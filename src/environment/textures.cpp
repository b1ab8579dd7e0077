// textures.cpp -- decodes the sea and sky images and turns them into mipmapped textures
#include "environment/textures.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <stb_image.h>

#include <pthread.h>

#include <cstdio>
#include <cstring>

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

// One decoded image, or the reason it could not be decoded.
struct DecodedImage {
    unsigned char* pixels;
    int width;
    int height;
    int channels;
    char failure[200];  // empty on success
};

static void noteDecoderFailure(DecodedImage* image, const char* file)
{
    snprintf(image->failure, sizeof image->failure, "couldn't load texture %s: %s", file,
             stbi_failure_reason());
}

static bool sizeAccepted(DecodedImage* image, const char* file, int width, int height)
{
    if (sideAccepted(width) && sideAccepted(height))
        return true;
    snprintf(image->failure, sizeof image->failure,
             "couldn't load texture %s: %d x %d pixels is larger than %d x %d", file, width,
             height, kTextureSideLimit, kTextureSideLimit);
    return false;
}

// Decodes without printing, so it can run on the prefetch thread; the failure text is kept
// for the main thread to print in its place in the start-up output.
static void decodeQuietly(const char* file, DecodedImage* image)
{
    clearImage(&image->pixels, &image->width, &image->height, &image->channels);
    image->failure[0] = '\0';

    // Read the header first, so an absurd size is refused before anything is allocated.
    int w = 0, h = 0, n = 0;
    if (stbi_info(file, &w, &h, &n) == 0) {
        noteDecoderFailure(image, file);
        return;
    }
    if (!sizeAccepted(image, file, w, h))
        return;

    // Three channels are always asked for: the upload reads three bytes per pixel, so grey
    // or alpha images are converted by the decoder instead of being read at the wrong stride.
    unsigned char* decoded = stbi_load(file, &w, &h, &n, kRgbBytes);
    if (decoded == nullptr) {
        noteDecoderFailure(image, file);
        return;
    }
    // The file could have changed between the two reads; check the size actually decoded.
    if (!sizeAccepted(image, file, w, h)) {
        stbi_image_free(decoded);
        return;
    }
    image->pixels = decoded;
    image->width = w;
    image->height = h;
    image->channels = n;
}

static void takeDecoded(const DecodedImage& image, unsigned char** pixels, int* width,
                        int* height, int* channels)
{
    if (image.failure[0] != '\0')
        printf("%s\n", image.failure);
    *pixels = image.pixels;
    *width = image.width;
    *height = image.height;
    *channels = image.channels;
}

void decodeTextureImage(const char* file, unsigned char** pixels, int* width, int* height,
                        int* channels)
{
    DecodedImage image;
    decodeQuietly(file, &image);
    takeDecoded(image, pixels, width, height, channels);
}

// Decoding the two JPEG files is most of the start-up's own work. It needs no OpenGL, so
// startTextureDecoding runs it on one helper thread per file while the main thread opens the
// window and loads the models; the loaders then take the results.
struct Prefetch {
    const char* file;
    pthread_t thread;
    bool started;
    DecodedImage image;
};
static Prefetch prefetches[] = {{kSeaFile, {}, false, {}}, {kSkyFile, {}, false, {}}};

static void* decodeInBackground(void* argument)
{
    Prefetch* prefetch = (Prefetch*)argument;
    decodeQuietly(prefetch->file, &prefetch->image);
    return nullptr;
}

void startTextureDecoding()
{
    for (Prefetch& prefetch : prefetches)
        if (!prefetch.started)
            prefetch.started = pthread_create(&prefetch.thread, nullptr, decodeInBackground, &prefetch) == 0;
}

// Decodes the file, or takes the prefetched result when a helper thread decoded it. A thread
// that could not be started leaves the file to be decoded here.
static void decodeOrCollect(const char* file, unsigned char** pixels, int* width, int* height,
                            int* channels)
{
    for (Prefetch& prefetch : prefetches) {
        if (prefetch.started && std::strcmp(prefetch.file, file) == 0) {
            pthread_join(prefetch.thread, nullptr);
            prefetch.started = false;
            takeDecoded(prefetch.image, pixels, width, height, channels);
            return;
        }
    }
    decodeTextureImage(file, pixels, width, height, channels);
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
    decodeOrCollect(file, pixels, width, height, channels);
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

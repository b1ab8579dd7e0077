// image_decode.cpp -- reads and decodes the texture JPEGs with libjpeg-turbo, optionally on helper threads
#include "environment/image_decode.h"

#include <turbojpeg.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <system_error>
#include <thread>

static const size_t kFirstReadBytes = 64 * 1024;  // first buffer size while reading a file
static const int kPrefetchSlots = 2;     // the sea and the sky

static void clearImage(DecodedImage* image)
{
    memset(image, 0, sizeof *image);
}

static void fail(DecodedImage* image, const char* file, const char* format, ...)
{
    char reason[200];
    va_list arguments;
    va_start(arguments, format);
    vsnprintf(reason, sizeof reason, format, arguments);
    va_end(arguments);
    snprintf(image->failure, sizeof image->failure, "couldn't load texture %s: %s", file, reason);
}

static bool hasJpegSignature(const unsigned char* bytes, size_t size)
{
    return size >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF;
}

// The header's facts, checked before anything is allocated for the pixels. Returns false
// with the failure noted when the image cannot be accepted.
static bool headerAccepted(tjhandle decoder, const char* file, const unsigned char* bytes,
                           size_t size, DecodedImage* image)
{
    int width = 0, height = 0, subsampling = 0, colourspace = 0;
    if (tjDecompressHeader3(decoder, bytes, (unsigned long)size, &width, &height, &subsampling,
                            &colourspace) != 0) {
        fail(image, file, "%s", tjGetErrorStr2(decoder));
        return false;
    }
    if (width < 1 || height < 1) {
        fail(image, file, "no image in the file (%d x %d pixels)", width, height);
        return false;
    }
    if (colourspace == TJCS_CMYK || colourspace == TJCS_YCCK) {
        fail(image, file, "CMYK images are not supported");
        return false;
    }
    // Sides are at most 65535 in a JPEG header, so the product fits in size_t.
    size_t bytesNeeded = (size_t)width * (size_t)height * kRgbBytes;
    if (bytesNeeded > kImageByteLimit) {
        fail(image, file, "%d x %d pixels need %zu MiB, more than the limit of %zu MiB", width,
             height, (bytesNeeded + (1u << 20) - 1) >> 20, kImageByteLimit >> 20);
        return false;
    }
    image->width = width;
    image->height = height;
    image->channels = colourspace == TJCS_GRAY ? 1 : 3;
    return true;
}

void decodeImageBytes(const char* file, const unsigned char* bytes, size_t size, DecodedImage* image)
{
    clearImage(image);
    if (size == 0) {
        fail(image, file, "the file is empty");
        return;
    }
    if (!hasJpegSignature(bytes, size)) {
        fail(image, file, "not a JPEG file");
        return;
    }
    if (size > kImageByteLimit) {
        fail(image, file, "the file is larger than %zu MiB", kImageByteLimit >> 20);
        return;
    }
    tjhandle decoder = tjInitDecompress();
    if (decoder == nullptr) {
        fail(image, file, "the JPEG decoder could not start");
        return;
    }
    if (headerAccepted(decoder, file, bytes, size, image)) {
        size_t bytesNeeded = (size_t)image->width * (size_t)image->height * kRgbBytes;
        unsigned char* pixels = (unsigned char*)malloc(bytesNeeded);
        // Damaged data is refused rather than shown half grey: TurboJPEG reports a warning as
        // a failure, and STOPONWARNING ends the decode there instead of guessing the rest. A
        // progressive file may not have more scans than any real encoder writes.
        int flags = TJFLAG_STOPONWARNING | TJFLAG_LIMITSCANS;
        if (pixels == nullptr) {
            fail(image, file, "out of memory for %d x %d pixels", image->width, image->height);
        } else if (tjDecompress2(decoder, bytes, (unsigned long)size, pixels, image->width,
                                 image->width * kRgbBytes, image->height, TJPF_RGB, flags) != 0) {
            fail(image, file, "%s", tjGetErrorStr2(decoder));
            free(pixels);
        } else {
            image->pixels = pixels;
        }
        if (image->pixels == nullptr) {
            image->width = 0;
            image->height = 0;
            image->channels = 0;
        }
    }
    tjDestroy(decoder);
}

// Reads the whole stream into a buffer of its own; the size is not trusted from the file
// system, so pipes and files that change while read are handled the same way. Returns null
// with the failure noted.
static unsigned char* readAll(FILE* stream, const char* file, size_t* size, DecodedImage* image)
{
    size_t capacity = kFirstReadBytes;
    size_t used = 0;
    unsigned char* buffer = (unsigned char*)malloc(capacity);
    while (buffer != nullptr) {
        used += fread(buffer + used, 1, capacity - used, stream);
        if (ferror(stream)) {
            fail(image, file, "can't read the file: %s", strerror(errno));
            break;
        }
        if (used < capacity) {  // end of file
            *size = used;
            return buffer;
        }
        if (capacity > kImageByteLimit) {
            fail(image, file, "the file is larger than %zu MiB", kImageByteLimit >> 20);
            break;
        }
        // Grow to one byte past the limit at most, so a file of exactly the limit is read whole.
        size_t grown = capacity * 2 > kImageByteLimit ? kImageByteLimit + 1 : capacity * 2;
        unsigned char* bigger = (unsigned char*)realloc(buffer, grown);
        if (bigger == nullptr)
            break;
        buffer = bigger;
        capacity = grown;
    }
    if (image->failure[0] == '\0')
        fail(image, file, "out of memory while reading the file");
    free(buffer);
    return nullptr;
}

void decodeImageFile(const char* file, DecodedImage* image)
{
    clearImage(image);
    FILE* stream = fopen(file, "rb");
    if (stream == nullptr) {
        fail(image, file, "can't open the file: %s", strerror(errno));
        return;
    }
    size_t size = 0;
    unsigned char* bytes = readAll(stream, file, &size, image);
    fclose(stream);
    if (bytes == nullptr)
        return;
    decodeImageBytes(file, bytes, size, image);
    free(bytes);
}

void releaseImage(DecodedImage* image)
{
    free(image->pixels);
    clearImage(image);
}

// Decoding the two texture files is most of the start-up's own work. It needs no OpenGL,
// so it can run on helper threads while the main thread opens the window and loads the
// models. Each slot is written by its helper until joined, then only by the main thread.
struct Prefetch {
    const char* file;    // null when the slot is free
    std::thread helper;
    DecodedImage image;
};
static Prefetch prefetches[kPrefetchSlots];
static std::once_flag finishAtExit;

static void finishAtExitHandler()
{
    finishImagePrefetch();
}

void startImagePrefetch(const char* file)
{
    // Registered before the first helper starts: exit() then joins every helper before the
    // static thread objects are destroyed (a running std::thread would end the process).
    std::call_once(finishAtExit, [] { atexit(finishAtExitHandler); });
    for (Prefetch& prefetch : prefetches) {
        if (prefetch.file != nullptr)
            continue;
        Prefetch* slot = &prefetch;
        // The standard library reports a thread it cannot start by an exception, the only
        // one this program catches: the file is then left for collectImage to decode.
        try {
            prefetch.helper = std::thread([slot, file] { decodeImageFile(file, &slot->image); });
        } catch (const std::system_error&) {
            return;
        }
        prefetch.file = file;
        return;
    }
}

void collectImage(const char* file, DecodedImage* image)
{
    for (Prefetch& prefetch : prefetches) {
        if (prefetch.file != nullptr && strcmp(prefetch.file, file) == 0) {
            prefetch.helper.join();
            *image = prefetch.image;
            clearImage(&prefetch.image);
            prefetch.file = nullptr;
            return;
        }
    }
    decodeImageFile(file, image);
}

void finishImagePrefetch()
{
    for (Prefetch& prefetch : prefetches) {
        if (prefetch.helper.joinable())
            prefetch.helper.join();
        releaseImage(&prefetch.image);
        prefetch.file = nullptr;
    }
}

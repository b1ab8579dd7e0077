// image_decode.cpp -- reads and decodes the texture JPEGs with libjpeg-turbo, optionally on helper threads
#include "environment/image_decode.h"

// jpeglib.h needs FILE and size_t declared before it; jerror.h names its messages.
#include <cstdio>
#include <jpeglib.h>
#include <jerror.h>

#include <cerrno>
#include <cinttypes>
#include <csetjmp>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <system_error>
#include <thread>

static const size_t kFirstReadBytes = 64 * 1024;  // first buffer size while reading a file
static const int kPrefetchSlots = 2;     // the sea and the sky
static const int kMaxScans = 500;        // more than any real progressive encoder writes
// The decoder's own working memory (whole-image coefficient buffers of progressive and
// multi-scan files); a file that needs more is refused when its decode starts.
static const long kDecoderMemoryLimit = 96L * 1024 * 1024;
// Bytes per texel of the power-of-two texture that the mipmap builder makes: its rescaled copy
// and next level (3.75), and the driver's copy of every level (measured near 8 with Mesa).
static const uint64_t kUploadBytesPerTexel = 12;
static const int kLargestScaleDenominator = 8;  // libjpeg's DCT scaling goes down to 1/8

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

// The power of two GLU rescales a side to: the nearer of the two around it, the larger when
// the side's two leading bits are both set.
static uint64_t mipmapSide(int side)
{
    uint64_t power = 1;
    for (unsigned value = (unsigned)side; value > 1; value >>= 1) {
        if (value == 3)
            return power * 4;
        power *= 2;
    }
    return power;
}

// In 64 bits on every CPU: sides up to 65535 need up to 2^32 x 15 bytes, which a 32-bit size_t
// would wrap to a small count and so accept.
uint64_t textureUploadBytes(int width, int height)
{
    return (uint64_t)width * (uint64_t)height * kRgbBytes +
           mipmapSide(width) * mipmapSide(height) * kUploadBytesPerTexel;
}

// libjpeg reports through these: an error ends the decode by a jump back to decodeJpeg, with
// its text in reason. A warning means damaged data, which is refused the same way rather than
// shown half guessed. The one warning let through is extraneous bytes before the end marker:
// they come after the last scan, so every row is whole, and many complete photographs carry
// such a stray byte. Stray bytes before any other marker may have cut data short: refused.
struct DecoderErrors {
    jpeg_error_mgr manager;  // first, so libjpeg's pointer to it leads back to the rest
    jmp_buf leave;
    char reason[JMSG_LENGTH_MAX];
};

static void leaveDecode(j_common_ptr info)
{
    DecoderErrors* errors = (DecoderErrors*)info->err;
    if (info->err->msg_code == JERR_NO_BACKING_STORE)  // more than kDecoderMemoryLimit asked for
        snprintf(errors->reason, sizeof errors->reason,
                 "a multi-scan image this large needs more than %ld MiB to decode",
                 kDecoderMemoryLimit >> 20);
    else
        info->err->format_message(info, errors->reason);
    longjmp(errors->leave, 1);
}

static void noteMessage(j_common_ptr info, int level)
{
    if (level >= 0)
        return;  // trace messages
    const jpeg_error_mgr* errors = info->err;
    if (errors->msg_code != JWRN_EXTRANEOUS_DATA || errors->msg_parm.i[1] != JPEG_EOI)
        leaveDecode(info);
}

// Called between scans: a progressive file may not have more scans than kMaxScans, so a
// small file cannot keep the decoder busy for minutes.
static void limitScans(j_common_ptr info)
{
    if (((j_decompress_ptr)info)->input_scan_number > kMaxScans) {
        DecoderErrors* errors = (DecoderErrors*)info->err;
        snprintf(errors->reason, sizeof errors->reason,
                 "Progressive JPEG image has more than %d scans", kMaxScans);
        longjmp(errors->leave, 1);
    }
}

// The header's facts, checked before anything is allocated for the pixels, and the scale
// (1, 1/2, 1/4 or 1/8) at which the image and its texture fit kTextureUploadLimit. Returns
// false with the failure noted when the image cannot be accepted.
static bool headerAccepted(jpeg_decompress_struct* info, const char* file, DecodedImage* image)
{
    int width = (int)info->image_width, height = (int)info->image_height;
    if (width < 1 || height < 1) {
        fail(image, file, "no image in the file (%d x %d pixels)", width, height);
        return false;
    }
    if (info->jpeg_color_space == JCS_CMYK || info->jpeg_color_space == JCS_YCCK) {
        fail(image, file, "CMYK images are not supported");
        return false;
    }
    info->out_color_space = JCS_RGB;
    for (int denominator = 1; denominator <= kLargestScaleDenominator; denominator *= 2) {
        info->scale_num = 1;
        info->scale_denom = (unsigned)denominator;
        jpeg_calc_output_dimensions(info);
        if (textureUploadBytes((int)info->output_width, (int)info->output_height) <= kTextureUploadLimit) {
            image->width = (int)info->output_width;
            image->height = (int)info->output_height;
            image->channels = info->num_components == 1 ? 1 : 3;
            return true;
        }
    }
    fail(image, file, "%d x %d pixels need %" PRIu64 " MiB as a texture even at 1/%d scale, more than the limit of %" PRIu64 " MiB",
         width, height, (textureUploadBytes((int)info->output_width, (int)info->output_height) + (1u << 20) - 1) >> 20,
         kLargestScaleDenominator, (uint64_t)kTextureUploadLimit >> 20);
    return false;
}

// Decodes every row into image->pixels, or notes the failure. The header is read and judged
// first, so a refused image allocates nothing for its pixels.
static void decodeJpeg(const char* file, const unsigned char* bytes, size_t size, DecodedImage* image)
{
    jpeg_decompress_struct info = {};  // all zero, so a failure while it is set up frees nothing
    DecoderErrors errors;
    jpeg_progress_mgr progress;
    unsigned char* volatile pixels = nullptr;  // read again after a jump, so kept in memory
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = leaveDecode;
    errors.manager.emit_message = noteMessage;
    if (setjmp(errors.leave) != 0) {
        fail(image, file, "%s", errors.reason);
        free(pixels);
        jpeg_destroy_decompress(&info);
        return;
    }
    jpeg_create_decompress(&info);
    info.mem->max_memory_to_use = kDecoderMemoryLimit;
    progress.progress_monitor = limitScans;
    info.progress = &progress;
    jpeg_mem_src(&info, bytes, (unsigned long)size);
    jpeg_read_header(&info, TRUE);
    if (headerAccepted(&info, file, image)) {
        // Within kTextureUploadLimit (checked in 64 bits above), so the count fits size_t.
        size_t row = (size_t)image->width * kRgbBytes;
        pixels = (unsigned char*)malloc((size_t)((uint64_t)row * (uint64_t)image->height));
        if (pixels == nullptr) {
            fail(image, file, "out of memory for %d x %d pixels", image->width, image->height);
        } else {
            jpeg_start_decompress(&info);
            while (info.output_scanline < info.output_height) {
                JSAMPROW rowStart = pixels + row * info.output_scanline;
                jpeg_read_scanlines(&info, &rowStart, 1);
            }
            jpeg_finish_decompress(&info);
            image->pixels = pixels;
        }
    }
    jpeg_destroy_decompress(&info);
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
    decodeJpeg(file, bytes, size, image);
    if (image->pixels == nullptr) {
        image->width = 0;
        image->height = 0;
        image->channels = 0;
    }
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

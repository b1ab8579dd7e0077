// image_decode.h -- JPEG files decoded into RGB pixels for the textures, with no OpenGL
#pragma once

#include <cstddef>
#include <cstdint>

// Bytes per decoded pixel: red, green, blue.
constexpr int kRgbBytes = 3;

// Most bytes an image file may hold, checked while it is read.
constexpr size_t kImageByteLimit = (size_t)256 * 1024 * 1024;

// Most bytes one image may take from its decode to its mipmapped texture (textureUploadBytes).
// Both images at this limit, beside the rest of the program (about 100 MiB with Mesa), stay
// well under 512 MiB.
constexpr size_t kTextureUploadLimit = (size_t)128 * 1024 * 1024;

// Bytes a width x height image takes at the peak of its upload: its decoded pixels (3 per
// pixel, kept for the run) and the mipmapped power-of-two texture that gluBuild2DMipmaps
// makes of it, with the builder's working copies and the driver's storage. Counted in 64 bits,
// so a 32-bit build cannot wrap it.
uint64_t textureUploadBytes(int width, int height);

// Room for one failure line, "couldn't load texture <file>: <reason>".
constexpr int kImageFailureChars = 300;

// One decoded image, or the reason it could not be decoded. All zero (no pixels, no
// failure) before anything was decoded into it.
struct DecodedImage {
    unsigned char* pixels;  // width x height x kRgbBytes bytes, top row first, rows
                            // packed without padding; null when not decoded. Freed by releaseImage
    int width;              // pixels per row as decoded (the file's, or reduced); 0 when not decoded
    int height;             // rows as decoded; 0 when not decoded
    int channels;           // components stored in the file (1 grey, 3 colour); recorded only
    char failure[kImageFailureChars];  // the failure line without its line end; empty on success
};

// Decodes the bytes of an image file named file (the name is only used in the failure line).
// Only JPEG is accepted, recognised by its signature (FF D8 FF), not by the name. Grey JPEGs
// are spread over red, green and blue. An image whose upload would take more than
// kTextureUploadLimit is decoded at the largest of 1/2, 1/4 and 1/8 of its size that fits;
// images that fit are decoded at full size. Refused, with the reason in image->failure and no
// pixels: an empty or non-JPEG file, a header the decoder rejects (12-bit samples, lossless,
// zero sides), CMYK colour, an image that does not fit even at 1/8 (checked from the header
// before any allocation), and data that is damaged or cut short, even where the decoder could
// guess the rest. Extraneous bytes before a marker are the one warning let through. Prints
// nothing and touches no global state, so it may run on any thread. Overwrites *image
// without freeing what it held.
void decodeImageBytes(const char* file, const unsigned char* bytes, size_t size, DecodedImage* image);

// Reads the whole file (at most kImageByteLimit bytes) and decodes it with decodeImageBytes.
// A file that cannot be opened or read, or is larger than the limit, is refused likewise.
void decodeImageFile(const char* file, DecodedImage* image);

// Frees the pixels and clears the record to all zero.
void releaseImage(DecodedImage* image);

// Starts decoding file on a helper thread, so the image is ready when collectImage asks for
// it. file must stay valid until the image is collected (the loaders pass string literals).
// At most two files can be in flight; further requests are ignored and collectImage then
// decodes those files itself. Every helper is finished (joined) before the process exits,
// also through exit() during start-up, so no helper still reads a file or writes its record
// while the process is torn down.
void startImagePrefetch(const char* file);

// Fills *image with the decoded file: the helper's result when startImagePrefetch was called
// for this name (waiting for it to finish), else a decode on the calling thread.
void collectImage(const char* file, DecodedImage* image);

// Waits for every helper still running and frees the results nobody collected.
void finishImagePrefetch();

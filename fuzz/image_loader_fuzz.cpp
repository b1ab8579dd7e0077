// image_loader_fuzz.cpp -- libFuzzer target: arbitrary file bytes through the texture decoder
// Each input goes through decodeImageBytes, the function the loaders' file reading ends in:
// signature, header, upload budget and reduced scale, decode and conversion to RGB. Our code is instrumented;
// libjpeg-turbo is Debian's prebuilt library, so its insides are neither covered nor checked
// by AddressSanitizer here (scripts/valgrind-images.sh checks the two together).
#include "environment/image_decode.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    DecodedImage image;
    decodeImageBytes("fuzz.jpg", data, size, &image);
    if (image.pixels == nullptr) {
        if (image.width != 0 || image.height != 0 || image.channels != 0 || image.failure[0] == '\0')
            abort();
        return 0;
    }
    size_t bytes = (size_t)image.width * (size_t)image.height * 3;
    if (image.width < 1 || image.height < 1 || image.failure[0] != '\0' ||
        textureUploadBytes(image.width, image.height) > kTextureUploadLimit)
        abort();
    if (image.channels != 1 && image.channels != 3)
        abort();
    // Every byte of the buffer is read, so a buffer smaller than width x height x 3 shows.
    unsigned sum = 0;
    for (size_t i = 0; i < bytes; i++)
        sum += image.pixels[i];
    releaseImage(&image);
    return sum == 0xFFFFFFFFu ? 1 : 0;
}

// image_loader_fuzz.cpp -- libFuzzer target: arbitrary file bytes through the texture decoder
// Each input is written to a private file and decoded as the loaders do; every byte of an
// accepted image is read, so a buffer smaller than width x height x 3 shows under ASan.
// Run with -close_fd_mask=1 to silence the decoder's one-line messages.
#include "environment/textures.h"

#include <stb_image.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

static std::string scratchFile()
{
    return "/tmp/brinewings-image-fuzz." + std::to_string((long)getpid()) + ".jpg";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string file = scratchFile();
    FILE* out = fopen(file.c_str(), "wb");
    if (out == nullptr)
        return 0;
    fwrite(data, 1, size, out);
    fclose(out);

    unsigned char* pixels = nullptr;
    int width = 0, height = 0, channels = 0;
    decodeTextureImage(file.c_str(), &pixels, &width, &height, &channels);
    if (pixels == nullptr) {
        if (width != 0 || height != 0 || channels != 0)
            abort();
        return 0;
    }
    if (width < 1 || height < 1 || width > kTextureSideLimit || height > kTextureSideLimit)
        abort();
    if (channels < 1 || channels > 4)
        abort();
    unsigned sum = 0;
    size_t bytes = (size_t)width * (size_t)height * 3;
    for (size_t i = 0; i < bytes; i++)
        sum += pixels[i];
    stbi_image_free(pixels);
    return sum == 0xFFFFFFFFu ? 1 : 0;
}

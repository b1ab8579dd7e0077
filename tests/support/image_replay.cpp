// image_replay.cpp -- decodes each file named on the command line as the texture loaders do
// Every byte of each decoded image is read, so an invalid access in the decoder or in our
// conversion shows under valgrind. Prints one line per file; exit status 0 unless a result
// breaks the decoder's promises (pixels with a failure, sizes without pixels).
#include "environment/image_decode.h"

#include <cstdio>

int main(int argc, char** argv)
{
    int decoded = 0, refused = 0, broken = 0;
    for (int i = 1; i < argc; i++) {
        DecodedImage image;
        decodeImageFile(argv[i], &image);
        if (image.pixels != nullptr) {
            unsigned sum = 0;
            for (size_t at = 0; at < (size_t)image.width * (size_t)image.height * 3; at++)
                sum += image.pixels[at];
            printf("%s: %d x %d, %d channels, sum %u\n", argv[i], image.width, image.height,
                   image.channels, sum);
            broken += image.failure[0] != '\0' || image.width < 1 || image.height < 1;
            decoded++;
        } else {
            printf("%s\n", image.failure);
            broken += image.failure[0] == '\0' || image.width != 0 || image.height != 0;
            refused++;
        }
        releaseImage(&image);
    }
    printf("image_replay: %d decoded, %d refused, %d broken\n", decoded, refused, broken);
    return broken == 0 ? 0 : 1;
}

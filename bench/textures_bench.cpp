// textures_bench.cpp -- start-up cost of the sea and sky: decoding, and decoding plus mipmaps
// Run on an X server (tests/support/with_xvfb.sh ./bench/textures_bench) from any folder.
#include "environment/texture_gl.h"

#include <GL/freeglut.h>
#include <benchmark/benchmark.h>

#include <string>

static const std::string kSea = std::string(BRINEWINGS_DATA_DIR) + "/sea02.jpg";
static const std::string kSky = std::string(BRINEWINGS_DATA_DIR) + "/sky08.jpg";

// Decoding both images, as start-up does, without OpenGL.
static void BM_DecodeSeaAndSky(benchmark::State& state)
{
    for (auto _ : state) {
        for (const std::string* file : {&kSea, &kSky}) {
            DecodedImage image;
            decodeImageFile(file->c_str(), &image);
            benchmark::DoNotOptimize(image.pixels);
            releaseImage(&image);
        }
    }
}
BENCHMARK(BM_DecodeSeaAndSky)->Unit(benchmark::kMillisecond);

// The whole loader path for both textures: decode, name, mipmap chain, filters.
static void BM_LoadSeaAndSkyTextures(benchmark::State& state)
{
    for (auto _ : state) {
        for (const std::string* file : {&kSea, &kSky}) {
            GLuint texture = 0;
            DecodedImage image;
            loadTextureFile(file->c_str(), &texture, &image);
            glFinish();
            releaseImage(&image);
            glDeleteTextures(1, &texture);
        }
    }
}
BENCHMARK(BM_LoadSeaAndSkyTextures)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(64, 64);
    glutCreateWindow("brinewings textures benchmark");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

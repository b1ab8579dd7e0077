// generated_textures_test.cpp -- the generated sea and sky images: format, determinism, content
#include "environment/image_decode.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>
#include <stb_image.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

struct Image {
    unsigned char* pixels = nullptr;
    int width = 0, height = 0, channels = 0;
    explicit Image(const std::string& file)
    {
        pixels = stbi_load(file.c_str(), &width, &height, &channels, 3);
    }
    ~Image() { stbi_image_free(pixels); }
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;
    const unsigned char* at(int x, int y) const { return pixels + ((size_t)y * width + x) * 3; }
    // Mean of one channel over the rows y0 .. y1 - 1.
    double rowsMean(int y0, int y1, int channel) const
    {
        double sum = 0.0;
        for (int y = y0; y < y1; y++)
            for (int x = 0; x < width; x++)
                sum += at(x, y)[channel];
        return sum / ((double)(y1 - y0) * width);
    }
    // Mean absolute difference, over all channels, between columns a and b.
    double columnDifference(int a, int b) const
    {
        double sum = 0.0;
        for (int y = 0; y < height; y++)
            for (int c = 0; c < 3; c++)
                sum += std::abs(at(a, y)[c] - at(b, y)[c]);
        return sum / (3.0 * height);
    }
};

std::string dataFile(const char* name)
{
    return std::string(BRINEWINGS_DATA_DIR) + "/" + name;
}

std::string bytesOf(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace

TEST(GeneratedTextures, AreThreeChannelJpegsWithRowsOfWholeWordsAndRepeatable)
{
    for (const char* name : {"sea02.jpg", "sky08.jpg"}) {
        std::string bytes = bytesOf(dataFile(name));
        ASSERT_GT(bytes.size(), 2u) << name;
        EXPECT_EQ((unsigned char)bytes[0], 0xFF) << name;  // JPEG start-of-image marker
        EXPECT_EQ((unsigned char)bytes[1], 0xD8) << name;
        Image image(dataFile(name));
        ASSERT_NE(image.pixels, nullptr) << name;
        EXPECT_EQ(image.channels, 3) << name;
        EXPECT_EQ(image.width * 3 % 4, 0) << name;
        EXPECT_LE(image.width, 4096) << name;   // keeps decoding and mipmaps quick at start-up
        EXPECT_LE(image.height, 4096) << name;
    }
    // A second run of the generator writes the very same bytes.
    std::string folder = makeScratchFolder("brinewings-generated");
    ASSERT_NE(folder, "");
    // Windows' command interpreter takes '\\' alone in the program's name.
    std::string command = std::string(BRINEWINGS_TOOL_RUNNER) + " " +
                          std::filesystem::path(BRINEWINGS_TEXTURE_GENERATOR).make_preferred().string() + " " +
                          folder + "/sea.jpg " + folder + "/sky.jpg";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_TRUE(bytesOf(folder + "/sea.jpg") == bytesOf(dataFile("sea02.jpg")));
    EXPECT_TRUE(bytesOf(folder + "/sky.jpg") == bytesOf(dataFile("sky08.jpg")));
    std::filesystem::remove_all(folder);
}

TEST(GeneratedTextures, SkyIsSeamlessBrightAtTheHorizonBlueAboveWithClouds)
{
    Image sky(dataFile("sky08.jpg"));
    ASSERT_NE(sky.pixels, nullptr);
    // Where the left and right edges meet the image changes no more than between two
    // neighbouring columns anywhere else.
    double seam = sky.columnDifference(sky.width - 1, 0);
    double worstInside = 0.0;
    for (int x = 0; x + 1 < sky.width; x += sky.width / 16)
        worstInside = std::max(worstInside, sky.columnDifference(x, x + 1));
    EXPECT_LE(seam, worstInside + 1.0);
    EXPECT_LT(seam, 4.0);

    // A camera at altitude 1 sees the wall from about 95 % of the rows down (the sea line)
    // to about 55 % (45 degrees up).
    int h = sky.height;
    int horizon0 = h * 93 / 100, horizon1 = h * 99 / 100;
    int high0 = h * 50 / 100, high1 = h * 55 / 100;
    double horizonBrightness = sky.rowsMean(horizon0, horizon1, 0) + sky.rowsMean(horizon0, horizon1, 1) +
                               sky.rowsMean(horizon0, horizon1, 2);
    double highBrightness = sky.rowsMean(high0, high1, 0) + sky.rowsMean(high0, high1, 1) +
                            sky.rowsMean(high0, high1, 2);
    EXPECT_GT(horizonBrightness, highBrightness + 100.0);
    EXPECT_GT(sky.rowsMean(horizon0, horizon1, 0), 180.0);  // a pale haze, not a colour
    double horizonBlueness = sky.rowsMean(horizon0, horizon1, 2) - sky.rowsMean(horizon0, horizon1, 0);
    double highBlueness = sky.rowsMean(high0, high1, 2) - sky.rowsMean(high0, high1, 0);
    double topBlueness = sky.rowsMean(0, h / 10, 2) - sky.rowsMean(0, h / 10, 0);
    double topBrightness = sky.rowsMean(0, h / 10, 0) + sky.rowsMean(0, h / 10, 1) + sky.rowsMean(0, h / 10, 2);
    EXPECT_GT(highBlueness, horizonBlueness + 40.0);
    EXPECT_GT(topBlueness, horizonBlueness + 40.0);
    EXPECT_LT(topBrightness, highBrightness - 30.0);  // the blue deepens upward

    // Clouds: white patches in the band above the haze, but not a blanket.
    int cloudy = 0, total = 0;
    for (int y = h * 75 / 100; y < h * 90 / 100; y++)
        for (int x = 0; x < sky.width; x += 2) {
            const unsigned char* p = sky.at(x, y);
            cloudy += p[0] > 200 && p[1] > 200 && p[2] > 200 ? 1 : 0;
            total++;
        }
    EXPECT_GT(cloudy, total / 20);
    EXPECT_LT(cloudy, total / 2);
}

TEST(GeneratedTextures, SeaIsBlueWaterWithVariationThatSurvivesMipmapping)
{
    Image sea(dataFile("sea02.jpg"));
    ASSERT_NE(sea.pixels, nullptr);
    // Averaged over blocks of 1/32 of the side (about 31 world units, what trilinear filtering
    // shows of the sea a few hundred units away) the water still varies in brightness.
    const int blocks = 32;
    int side = sea.width / blocks;
    double darkest = 1e9, lightest = 0.0;
    int blueBlocks = 0;
    for (int by = 0; by < blocks; by++)
        for (int bx = 0; bx < blocks; bx++) {
            double sum[3] = {0, 0, 0};
            for (int y = by * side; y < (by + 1) * side; y++)
                for (int x = bx * side; x < (bx + 1) * side; x++)
                    for (int c = 0; c < 3; c++)
                        sum[c] += sea.at(x, y)[c];
            double n = (double)side * side;
            blueBlocks += sum[2] > sum[0] * 1.5 && sum[2] > sum[1] ? 1 : 0;
            double light = (sum[0] + sum[1] + sum[2]) / n;
            darkest = std::min(darkest, light);
            lightest = std::max(lightest, light);
        }
    EXPECT_EQ(blueBlocks, blocks * blocks);
    EXPECT_GT(lightest - darkest, 30.0);
    // Waves: neighbouring texels a few units apart differ noticeably.
    double waves = 0.0;
    for (int y = 0; y < sea.height; y += 64)
        for (int x = 0; x + 6 < sea.width; x += 7)
            waves += std::abs(sea.at(x, y)[2] - sea.at(x + 6, y)[2]);
    waves /= (double)(sea.height / 64) * (sea.width / 7);
    EXPECT_GT(waves, 4.0);
}

// The program's decoder (libjpeg-turbo) and stb_image, which the images were tuned with,
// give the same look: both decoders differ only in rounding and chroma upsampling.
// Measured: largest 3 on every channel of both images, means 0.011 to 0.069.
static const int kLargestDifference = 4;
static const double kMeanDifference = 0.25;

TEST(GeneratedTextures, LookTheSameThroughTheProgramsDecoderAsThroughStbImage)
{
    for (const char* name : {"sea02.jpg", "sky08.jpg"}) {
        Image reference(dataFile(name));
        DecodedImage decoded;
        decodeImageFile(dataFile(name).c_str(), &decoded);
        ASSERT_NE(reference.pixels, nullptr) << name;
        ASSERT_NE(decoded.pixels, nullptr) << decoded.failure;
        ASSERT_EQ(decoded.width, reference.width) << name;
        ASSERT_EQ(decoded.height, reference.height) << name;
        int largest[3] = {0, 0, 0};
        double sum[3] = {0, 0, 0};
        size_t pixels = (size_t)decoded.width * decoded.height;
        for (size_t i = 0; i < pixels; i++)
            for (int c = 0; c < 3; c++) {
                int difference = std::abs(decoded.pixels[i * 3 + c] - reference.pixels[i * 3 + c]);
                largest[c] = std::max(largest[c], difference);
                sum[c] += difference;
            }
        for (int c = 0; c < 3; c++) {
            double mean = sum[c] / (double)pixels;
            printf("%s channel %d: largest difference %d, mean %.3f\n", name, c, largest[c], mean);
            EXPECT_LE(largest[c], kLargestDifference) << name << " channel " << c;
            EXPECT_LE(mean, kMeanDifference) << name << " channel " << c;
        }
        releaseImage(&decoded);
    }
}

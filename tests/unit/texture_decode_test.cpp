// texture_decode_test.cpp -- decoding image files for textures: good, odd and broken files
#include "environment/textures.h"

#include <gtest/gtest.h>
#include <stb_image.h>
#include <stb_image_write.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// A scratch folder for the test's image files, removed at the end.
class DecodeTest : public testing::Test {
protected:
    std::string folder;
    void SetUp() override
    {
        char templ[] = "/tmp/brinewings-decode.XXXXXX";
        folder = mkdtemp(templ);
    }
    void TearDown() override { std::system(("rm -rf " + folder).c_str()); }
    std::string path(const std::string& name) const { return folder + "/" + name; }
    void writeBytes(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(path(name), std::ios::binary) << bytes;
    }

    struct Decoded {
        unsigned char* pixels = nullptr;
        int width = -1, height = -1, channels = -1;
        std::string output;
    };
    Decoded decode(const std::string& name) const
    {
        Decoded d;
        d.pixels = reinterpret_cast<unsigned char*>(&d);  // must be overwritten
        testing::internal::CaptureStdout();
        decodeTextureImage(path(name).c_str(), &d.pixels, &d.width, &d.height, &d.channels);
        d.output = testing::internal::GetCapturedStdout();
        return d;
    }
    void expectRefused(const std::string& name) const
    {
        Decoded d = decode(name);
        EXPECT_EQ(d.pixels, nullptr) << name;
        EXPECT_EQ(d.width, 0) << name;
        EXPECT_EQ(d.height, 0) << name;
        EXPECT_EQ(d.channels, 0) << name;
        // One line that names the file.
        EXPECT_NE(d.output.find("couldn't load texture " + path(name)), std::string::npos) << d.output;
        EXPECT_EQ(std::count(d.output.begin(), d.output.end(), '\n'), 1) << d.output;
    }
};

// A w x h image whose pixel (x, y) has the colour (x * 20, y * 30, 200 - x - y), plus alpha.
std::vector<unsigned char> pattern(int w, int h, int channels)
{
    std::vector<unsigned char> image((size_t)w * h * channels);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            unsigned char* p = &image[((size_t)y * w + x) * channels];
            unsigned char rgba[4] = {(unsigned char)(x * 20), (unsigned char)(y * 30),
                                     (unsigned char)(200 - x - y), 128};
            for (int c = 0; c < channels; c++)
                p[c] = channels == 1 ? (unsigned char)(x * 20) : rgba[c];
        }
    return image;
}

}  // namespace

TEST_F(DecodeTest, MissingEmptyGarbageAndTruncatedFilesAreRefusedWithOneLine)
{
    expectRefused("absent.jpg");
    writeBytes("empty.jpg", "");
    expectRefused("empty.jpg");
    writeBytes("text.jpg", "this is not an image at all\n");
    expectRefused("text.jpg");

    // A real JPEG cut after its header: must not crash, and must not count as decoded
    // unless the decoder produced a full-size image.
    std::vector<unsigned char> image = pattern(64, 48, 3);
    std::string whole = path("whole.jpg");
    ASSERT_NE(stbi_write_jpg(whole.c_str(), 64, 48, 3, image.data(), 90), 0);
    std::ifstream in(whole, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (size_t keep : {(size_t)2, (size_t)20, bytes.size() / 3, bytes.size() - 10}) {
        writeBytes("cut.jpg", bytes.substr(0, keep));
        Decoded d = decode("cut.jpg");
        if (d.pixels != nullptr) {
            EXPECT_EQ(d.width, 64);
            EXPECT_EQ(d.height, 48);
            stbi_image_free(d.pixels);
        } else {
            EXPECT_EQ(d.width, 0);
        }
    }
}

TEST_F(DecodeTest, AbsurdSizesAreRefusedBeforeDecoding)
{
    // Binary PPM headers claiming huge images, with almost no pixel data behind them.
    writeBytes("huge.jpg", "P6\n100000 100000\n255\n" + std::string(64, '\x7f'));
    expectRefused("huge.jpg");
    writeBytes("wide.jpg", "P6\n" + std::to_string(kTextureSideLimit + 1) + " 1\n255\n" +
                               std::string(64, '\x7f'));
    expectRefused("wide.jpg");
    // At the limit the size is fine but the pixel data is missing: refused, or a full-size
    // buffer (the decoder does not insist on the data), and no read past the file's bytes.
    writeBytes("short.jpg", "P6\n" + std::to_string(kTextureSideLimit) + " 2\n255\n" +
                                std::string(64, '\x7f'));
    Decoded d = decode("short.jpg");
    if (d.pixels != nullptr) {
        EXPECT_EQ(d.width, kTextureSideLimit);
        EXPECT_EQ(d.height, 2);
        stbi_image_free(d.pixels);
    }
    writeBytes("zero.jpg", "P6\n0 5\n255\n");
    expectRefused("zero.jpg");
}

TEST_F(DecodeTest, GreyAlphaAndOddWidthImagesComeOutAsThreePackedChannels)
{
    struct Case {
        const char* name;
        int width, height, channels;
        bool png;
    };
    // stb's writer makes colour JPEGs only; the grey JPEG has its own test below.
    const Case cases[] = {
        {"rgba.jpg", 5, 3, 4, true},      // an RGBA PNG under a .jpg name
        {"grey_alpha.jpg", 6, 4, 2, true},
        {"odd.jpg", 7, 5, 3, true},       // rows of 21 bytes
    };
    for (const Case& c : cases) {
        std::vector<unsigned char> image = pattern(c.width, c.height, c.channels);
        std::string file = path(c.name);
        if (c.png)
            ASSERT_NE(stbi_write_png(file.c_str(), c.width, c.height, c.channels, image.data(), 0), 0);
        else
            ASSERT_NE(stbi_write_jpg(file.c_str(), c.width, c.height, c.channels, image.data(), 100), 0);
        Decoded d = decode(c.name);
        ASSERT_NE(d.pixels, nullptr) << c.name;
        EXPECT_EQ(d.output, "") << c.name;
        EXPECT_EQ(d.width, c.width) << c.name;
        EXPECT_EQ(d.height, c.height) << c.name;
        EXPECT_EQ(d.channels, c.channels) << c.name;
        // The last pixel of a 3-byte-per-pixel buffer holds the last pixel's colour.
        int x = c.width - 1, y = c.height - 1;
        const unsigned char* last = d.pixels + ((size_t)y * c.width + x) * 3;
        int tolerance = c.png ? 0 : 3;
        EXPECT_NEAR(last[0], x * 20, tolerance) << c.name;
        if (c.channels >= 3) {
            EXPECT_NEAR(last[1], y * 30, tolerance) << c.name;
            EXPECT_NEAR(last[2], 200 - x - y, tolerance) << c.name;
        } else {
            EXPECT_EQ(last[1], last[0]) << c.name;  // grey spread over red, green and blue
            EXPECT_EQ(last[2], last[0]) << c.name;
        }
        stbi_image_free(d.pixels);
    }
}

// A baseline JPEG with one grey component: one 8 x 8 block of the flat value 160. Quantiser
// all ones; the DC table holds only category 9 (code 0), the AC table only end-of-block
// (code 0), so the scan is: 0, the DC value 256 in 9 bits, 0, padded with ones.
static std::string flatGreyJpeg()
{
    std::string j = "\xFF\xD8";
    j += std::string("\xFF\xDB\x00\x43\x00", 5) + std::string(64, '\x01');
    j += std::string("\xFF\xC0\x00\x0B\x08\x00\x08\x00\x08\x01\x01\x11\x00", 13);
    j += std::string("\xFF\xC4\x00\x14\x00\x01", 6) + std::string(15, '\0') + "\x09";
    j += std::string("\xFF\xC4\x00\x14\x10\x01", 6) + std::string(15, '\0') + std::string(1, '\0');
    j += std::string("\xFF\xDA\x00\x08\x01\x01\x00\x00\x3F\x00", 10);
    j += "\x40\x1F\xFF\xD9";
    return j;
}

TEST_F(DecodeTest, AGreyJpegIsSpreadOverRedGreenAndBlue)
{
    writeBytes("grey.jpg", flatGreyJpeg());
    Decoded d = decode("grey.jpg");
    ASSERT_NE(d.pixels, nullptr) << d.output;
    EXPECT_EQ(d.channels, 1);
    EXPECT_EQ(d.width, 8);
    EXPECT_EQ(d.height, 8);
    for (int i = 0; i < 8 * 8 * 3; i++)
        EXPECT_NEAR(d.pixels[i], 160, 1) << "byte " << i;
    stbi_image_free(d.pixels);
}

// texture_decode_test.cpp -- decoding image files for textures: good, odd, broken and hostile files
#include "aircraft/mesh_model.h"
#include "environment/image_decode.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <dirent.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
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
        folder = makeScratchFolder("brinewings-decode");
        ASSERT_NE(folder, "");
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
    std::string path(const std::string& name) const { return folder + "/" + name; }
    void writeBytes(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(path(name), std::ios::binary) << bytes;
    }
    // Decodes the file; the record is set to garbage first, so every field must be written.
    DecodedImage decode(const std::string& name) const
    {
        DecodedImage image;
        memset(&image, 0x5A, sizeof image);
        decodeImageFile(path(name).c_str(), &image);
        return image;
    }
    void expectRefused(const std::string& name, const std::string& reason) const
    {
        DecodedImage image = decode(name);
        EXPECT_EQ(image.pixels, nullptr) << name;
        EXPECT_EQ(image.width, 0) << name;
        EXPECT_EQ(image.height, 0) << name;
        EXPECT_EQ(image.channels, 0) << name;
        std::string prefix = "couldn't load texture " + path(name) + ": ";
        std::string failure = image.failure;
        EXPECT_EQ(failure.substr(0, prefix.size()), prefix) << name;
        if (!reason.empty())
            EXPECT_EQ(failure.substr(prefix.size()), reason) << name;
        else
            EXPECT_GT(failure.size(), prefix.size()) << name;  // the decoder's own reason
    }
};

// A w x h image whose pixel (x, y) has the colour (x * 20, y * 30, 200 - x - y).
std::vector<unsigned char> pattern(int w, int h)
{
    std::vector<unsigned char> image((size_t)w * h * 3);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            unsigned char* p = &image[((size_t)y * w + x) * 3];
            p[0] = (unsigned char)(x * 20);
            p[1] = (unsigned char)(y * 30);
            p[2] = (unsigned char)(200 - x - y);
        }
    return image;
}

void appendBytes(void* context, void* data, int size)
{
    static_cast<std::string*>(context)->append(static_cast<const char*>(data), (size_t)size);
}

// A baseline colour JPEG of the pattern, as stb's writer makes it (quality 100: no subsampling).
std::string patternJpeg(int w, int h)
{
    std::string bytes;
    std::vector<unsigned char> image = pattern(w, h);
    stbi_write_jpg_to_func(appendBytes, &bytes, w, h, 3, image.data(), 100);
    return bytes;
}

// The same JPEG with other sides written into its frame header (marker FF C0).
std::string withSides(std::string jpeg, int w, int h)
{
    size_t at = jpeg.find("\xFF\xC0");
    if (at != std::string::npos) {
        jpeg[at + 5] = (char)(h >> 8);
        jpeg[at + 6] = (char)h;
        jpeg[at + 7] = (char)(w >> 8);
        jpeg[at + 8] = (char)w;
    }
    return jpeg;
}

std::string fileBytes(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace

TEST_F(DecodeTest, FilesThatAreNotUsableJpegsAreRefusedWithTheirReason)
{
    struct Case {
        const char* name;
        std::string bytes;
        std::string reason;  // empty: the decoder's own words
    };
    const std::string whole = patternJpeg(64, 48);
    const Case cases[] = {
        {"empty.jpg", "", "the file is empty"},
        {"text.jpg", "this is not an image at all\n", "not a JPEG file"},
        {"png.jpg", "\x89PNG\r\n\x1a\n", "not a JPEG file"},
        {"grey16.jpg", "P5\n2 2\n65535\n\xff\xff\xff\xff\xff\xff\xff\xff", "not a JPEG file"},
        {"two-bytes.jpg", "\xFF\xD8", "not a JPEG file"},
        {"header-only.jpg", whole.substr(0, whole.find("\xFF\xDA")), ""},
        {"cut-in-scan.jpg", whole.substr(0, whole.size() / 2), ""},
        {"zero-width.jpg", withSides(whole, 0, 48), ""},
        {"huge.jpg", withSides(whole, 60000, 60000),
         "60000 x 60000 pixels need 929 MiB as a texture even at 1/8 scale, more than the limit of 128 MiB"},
        // 4,295,097,000 bytes of pixels: a 32-bit count wraps to 129,704 and would accept it.
        {"wraps-32-bits.jpg", withSides(whole, 65500, 21858),
         "65500 x 21858 pixels need 257 MiB as a texture even at 1/8 scale, more than the limit of 128 MiB"},
        {"reduced-but-no-data.jpg", withSides(whole, 9460, 9459), ""},
    };
    for (const Case& c : cases) {
        writeBytes(c.name, c.bytes);
        expectRefused(c.name, c.reason);
    }
    expectRefused("absent.jpg", "can't open the file: No such file or directory");
    ASSERT_TRUE(std::filesystem::create_directory(path("folder.jpg")));
#ifdef _WIN32
    expectRefused("folder.jpg", "can't open the file: Permission denied");  // Windows opens no folder as a file
#else
    expectRefused("folder.jpg", "can't read the file: Is a directory");
#endif
}

TEST_F(DecodeTest, ImagesComeOutAsThreePackedChannelsTopRowFirstAtAnySizeWithinTheLimit)
{
    struct Case {
        int width, height;
    };
    // Rows of 21 bytes; one row; a side far above any texture size (the mipmap builder
    // scales it), allowed because the limit is on the decoded bytes.
    const Case cases[] = {{7, 5}, {13, 1}, {10000, 16}};
    for (const Case& c : cases) {
        std::string name = std::to_string(c.width) + "x" + std::to_string(c.height) + ".jpg";
        writeBytes(name, patternJpeg(c.width, c.height));
        DecodedImage image = decode(name);
        ASSERT_NE(image.pixels, nullptr) << name << ": " << image.failure;
        EXPECT_STREQ(image.failure, "") << name;
        EXPECT_EQ(image.width, c.width) << name;
        EXPECT_EQ(image.height, c.height) << name;
        EXPECT_EQ(image.channels, 3) << name;
        std::vector<unsigned char> expected = pattern(c.width, c.height);
        int worst = 0;
        for (size_t i = 0; i < expected.size(); i++)
            worst = std::max(worst, std::abs(image.pixels[i] - expected[i]));
        EXPECT_LE(worst, 12) << name;  // JPEG rounding; a wrong stride or flip is far larger
        releaseImage(&image);
        EXPECT_EQ(image.pixels, nullptr);
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
    DecodedImage image = decode("grey.jpg");
    ASSERT_NE(image.pixels, nullptr) << image.failure;
    EXPECT_EQ(image.channels, 1);
    EXPECT_EQ(image.width, 8);
    EXPECT_EQ(image.height, 8);
    for (int i = 0; i < 8 * 8 * 3; i++)
        EXPECT_NEAR(image.pixels[i], 160, 1) << "byte " << i;
    releaseImage(&image);
}

// Every malformed or unusual file kept in the regression corpus, and every fuzz seed, goes
// through the decoder (under the sanitizer build too). Files named "ok-*" must decode to a
// full image, "bad-*" must be refused; the seeds must only be handled safely.
TEST(ImageRegressionCorpus, EveryKeptInputDecodesOrIsRefusedAsItsNameSays)
{
    int decoded = 0, refused = 0;
    for (const std::string folder : {"/fuzz/regression/image_loader_fuzz", "/fuzz/corpus/image_loader_fuzz"}) {
        std::string root = std::string(BRINEWINGS_SOURCE_DIR) + folder;
        DIR* listing = opendir(root.c_str());
        ASSERT_NE(listing, nullptr) << root;
        while (dirent* entry = readdir(listing)) {
            std::string name = entry->d_name;
            if (name[0] == '.')
                continue;
            std::string file = root + "/" + name;
            DecodedImage image;
            decodeImageFile(file.c_str(), &image);
            if (image.pixels != nullptr) {
                EXPECT_LE(textureUploadBytes(image.width, image.height), (uint64_t)128 << 20) << name;
                // Every byte of the buffer is read, so a short buffer shows under ASan.
                unsigned sum = 0;
                for (size_t i = 0; i < (size_t)image.width * image.height * 3; i++)
                    sum += image.pixels[i];
                EXPECT_STREQ(image.failure, "") << name << sum;
                decoded++;
            } else {
                EXPECT_EQ(image.width, 0) << name;
                EXPECT_NE(image.failure[0], '\0') << name;
                refused++;
            }
            if (name.rfind("ok-", 0) == 0) {
                EXPECT_NE(image.pixels, nullptr) << name << ": " << image.failure;
            }
            if (name == "ok-slow-arithmetic-7716x9250.jpg") {  // the largest scale that fits: 1/4
                EXPECT_EQ(image.width, 1929);
                EXPECT_EQ(image.height, 2313);
            }
            if (name.rfind("bad-", 0) == 0) {
                EXPECT_EQ(image.pixels, nullptr) << name;
            }
            releaseImage(&image);
        }
        closedir(listing);
    }
    EXPECT_GT(decoded, 5);
    EXPECT_GT(refused, 50);
}

// When propeller.txt is missing, start-up ends with status 1 while the helper threads may
// still be decoding: they are finished first, so the process ends in order (an unjoined
// helper would end it with std::terminate instead).
TEST(ImagePrefetch, AnExitDuringStartUpWaitsForTheHelpersAndKeepsItsStatus)
{
    // A death test cannot fork reliably under an emulator (the arm64 cross build).
    if (BRINEWINGS_TOOL_RUNNER[0] != '\0')
        GTEST_SKIP() << "death test not run under " << BRINEWINGS_TOOL_RUNNER;
    std::string folder = makeScratchFolder("brinewings-exit");
    ASSERT_NE(folder, "");
    std::string sea = fileBytes(std::string(BRINEWINGS_DATA_DIR) + "/sea02.jpg");
    ASSERT_FALSE(sea.empty());
    std::ofstream(folder + "/sea02.jpg", std::ios::binary) << sea;
    std::ofstream(folder + "/sky08.jpg", std::ios::binary) << sea;
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    EXPECT_EXIT(
        {
            if (chdir(folder.c_str()) != 0)
                std::_Exit(3);
            startImagePrefetch("sea02.jpg");
            startImagePrefetch("sky08.jpg");
            std::exit(1);
        },
        testing::ExitedWithCode(1), "");
    std::filesystem::remove_all(folder);
}

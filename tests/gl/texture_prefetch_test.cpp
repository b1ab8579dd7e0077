// texture_prefetch_test.cpp -- images decoded on helper threads reach the textures unchanged,
// and a bad file is still reported by its loader, in the loader's turn
#include "environment/textures.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <stb_image.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

class PrefetchTest : public testing::Test {
protected:
    void SetUp() override
    {
        char here[4096];
        ASSERT_NE(getcwd(here, sizeof here), nullptr);
        previous_ = here;
    }
    void TearDown() override { ASSERT_EQ(chdir(previous_.c_str()), 0); }
    std::string previous_;
};

TEST_F(PrefetchTest, PrefetchedImagesEqualTheImagesDecodedOnTheMainThread)
{
    ASSERT_EQ(chdir(BRINEWINGS_DATA_DIR), 0);
    testing::internal::CaptureStdout();
    startTextureDecoding();
    loadSeaTexture();
    loadSkyTexture();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");

    struct Case { const char* file; unsigned char* pixels; int width, height; unsigned int name; } cases[] = {
        {"sea02.jpg", seaPixels, seaWidth, seaHeight, seaTexture},
        {"sky08.jpg", skyPixels, skyWidth, skyHeight, skyTexture},
    };
    for (const Case& c : cases) {
        unsigned char* direct = nullptr;
        int width = 0, height = 0, channels = 0;
        decodeTextureImage(c.file, &direct, &width, &height, &channels);
        ASSERT_NE(direct, nullptr) << c.file;
        ASSERT_NE(c.pixels, nullptr) << c.file;
        EXPECT_EQ(c.width, width);
        EXPECT_EQ(c.height, height);
        EXPECT_EQ(std::memcmp(c.pixels, direct, (size_t)width * (size_t)height * 3), 0) << c.file;
        stbi_image_free(direct);
        EXPECT_TRUE(glIsTexture(c.name)) << c.file;
    }
    EXPECT_LT(seaTexture, skyTexture);
}

TEST_F(PrefetchTest, AMissingFileIsReportedByItsLoaderNotByTheHelperThread)
{
    char folder[] = "/tmp/brinewings-prefetch.XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    ASSERT_EQ(chdir(folder), 0);
    testing::internal::CaptureStdout();
    startTextureDecoding();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    std::fflush(stdout);
    std::string beforeLoaders = testing::internal::GetCapturedStdout();
    testing::internal::CaptureStdout();
    loadSeaTexture();
    std::string afterSea = testing::internal::GetCapturedStdout();
    testing::internal::CaptureStdout();
    loadSkyTexture();
    std::string afterSky = testing::internal::GetCapturedStdout();
    rmdir(folder);

    EXPECT_EQ(beforeLoaders, "");
    EXPECT_EQ(afterSea.rfind("couldn't load texture sea02.jpg", 0), 0u) << afterSea;
    EXPECT_EQ(afterSky.rfind("couldn't load texture sky08.jpg", 0), 0u) << afterSky;
    EXPECT_EQ(seaPixels, nullptr);
    EXPECT_EQ(skyWidth, 0);
    EXPECT_TRUE(glIsTexture(seaTexture));
}

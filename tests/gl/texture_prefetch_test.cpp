// texture_prefetch_test.cpp -- images decoded on helper threads reach the textures unchanged,
// and a bad file is still reported by its loader, in the loader's turn
#include "environment/texture_gl.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

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

    struct Case { const char* file; const DecodedImage& image; unsigned int name; } cases[] = {
        {"sea02.jpg", seaImage, seaTexture},
        {"sky08.jpg", skyImage, skyTexture},
    };
    for (const Case& c : cases) {
        DecodedImage direct;
        decodeImageFile(c.file, &direct);
        ASSERT_NE(direct.pixels, nullptr) << c.file;
        ASSERT_NE(c.image.pixels, nullptr) << c.file;
        EXPECT_EQ(c.image.width, direct.width);
        EXPECT_EQ(c.image.height, direct.height);
        EXPECT_EQ(std::memcmp(c.image.pixels, direct.pixels, (size_t)direct.width * (size_t)direct.height * 3), 0) << c.file;
        releaseImage(&direct);
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
    // Collecting joins both helpers: anything they print is out before the loaders run.
    DecodedImage sea{}, sky{};
    collectImage("sea02.jpg", &sea);
    collectImage("sky08.jpg", &sky);
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
    EXPECT_EQ(std::string(sea.failure).rfind("couldn't load texture sea02.jpg", 0), 0u) << sea.failure;
    EXPECT_EQ(afterSea.rfind("couldn't load texture sea02.jpg", 0), 0u) << afterSea;
    EXPECT_EQ(afterSky.rfind("couldn't load texture sky08.jpg", 0), 0u) << afterSky;
    EXPECT_EQ(seaImage.pixels, nullptr);
    EXPECT_EQ(skyImage.width, 0);
    EXPECT_TRUE(glIsTexture(seaTexture));
}

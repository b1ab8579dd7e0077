// texture_loading_test.cpp -- the sea and sky textures and the loader path in a real context
#include "environment/texture_gl.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>
#include <stb_image.h>
#include <stb_image_write.h>

#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct LevelSize {
    int width, height;
};

LevelSize levelSize(GLuint texture, int level)
{
    glBindTexture(GL_TEXTURE_2D, texture);
    LevelSize s{-1, -1};
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &s.width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &s.height);
    return s;
}

// Every level from the base down to 1 x 1 is present, each half the one above (never
// below 1), and the base has the expected size.
void expectCompleteChain(GLuint texture, int baseWidth, int baseHeight)
{
    LevelSize base = levelSize(texture, 0);
    EXPECT_EQ(base.width, baseWidth);
    EXPECT_EQ(base.height, baseHeight);
    int level = 0;
    LevelSize s = base;
    while (s.width > 1 || s.height > 1) {
        level++;
        LevelSize next = levelSize(texture, level);
        EXPECT_EQ(next.width, s.width > 1 ? s.width / 2 : 1) << "level " << level;
        EXPECT_EQ(next.height, s.height > 1 ? s.height / 2 : 1) << "level " << level;
        if (next.width <= 0 || next.height <= 0 || level > 16)
            break;
        s = next;
    }
    EXPECT_EQ(s.width, 1);
    EXPECT_EQ(s.height, 1);
}

GLint texParameter(GLuint texture, GLenum name)
{
    glBindTexture(GL_TEXTURE_2D, texture);
    GLint value = -1;
    glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    return value;
}

GLint unpackAlignment()
{
    GLint value = -1;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &value);
    return value;
}

// A scratch folder for images written by the test.
class LoaderTest : public testing::Test {
protected:
    std::string folder;
    void SetUp() override
    {
        char templ[] = "/tmp/brinewings-textures.XXXXXX";
        folder = mkdtemp(templ);
    }
    void TearDown() override { std::system(("rm -rf " + folder).c_str()); }
    std::string path(const std::string& name) const { return folder + "/" + name; }

    struct Loaded {
        GLuint texture = 0;
        DecodedImage image = {};
        std::string output;
        ~Loaded() { releaseImage(&image); }
    };
    void load(const std::string& name, Loaded& l) const
    {
        testing::internal::CaptureStdout();
        loadTextureFile(path(name).c_str(), &l.texture, &l.image);
        l.output = testing::internal::GetCapturedStdout();
    }
};

}  // namespace

TEST(ProgramTextures, BothNamesExistSeaFirstWithCompleteTrilinearMipmaps)
{
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    ASSERT_EQ(chdir(BRINEWINGS_DATA_DIR), 0);
    testing::internal::CaptureStdout();
    loadSeaTexture();
    loadSkyTexture();
    std::string output = testing::internal::GetCapturedStdout();
    ASSERT_EQ(chdir(cwd), 0);

    EXPECT_EQ(output, "");
    ASSERT_NE(seaImage.pixels, nullptr);
    ASSERT_NE(skyImage.pixels, nullptr);
    EXPECT_TRUE(glIsTexture(seaTexture));
    EXPECT_TRUE(glIsTexture(skyTexture));
    EXPECT_LT(seaTexture, skyTexture);  // names are handed out in order: the sea's came first
    EXPECT_EQ(seaImage.channels, 3);
    EXPECT_EQ(skyImage.channels, 3);
    expectCompleteChain(seaTexture, seaImage.width, seaImage.height);  // the generated sides are powers of two
    expectCompleteChain(skyTexture, skyImage.width, skyImage.height);
    for (GLuint texture : {seaTexture, skyTexture}) {
        EXPECT_EQ(texParameter(texture, GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_LINEAR);
        EXPECT_EQ(texParameter(texture, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
        EXPECT_EQ(texParameter(texture, GL_TEXTURE_WRAP_S), GL_REPEAT);
        EXPECT_EQ(texParameter(texture, GL_TEXTURE_WRAP_T), GL_REPEAT);
    }
    GLint environment = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &environment);
    EXPECT_EQ(environment, GL_MODULATE);
    EXPECT_EQ(unpackAlignment(), 4);
    EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
}

TEST_F(LoaderTest, NonPowerOfTwoImagesAreRescaledToACompleteChain)
{
    struct Case {
        const char* name;
        int width, height, baseWidth, baseHeight;
    };
    // GLU rounds each side to the nearest power of two.
    // A side beyond any texture size is scaled down like any other.
    const Case cases[] = {{"wide.jpg", 1000, 600, 1024, 512}, {"odd.jpg", 101, 37, 128, 32},
                          {"long.jpg", 10000, 16, 8192, 16}};
    for (const Case& c : cases) {
        std::vector<unsigned char> image((size_t)c.width * c.height * 3, 90);
        ASSERT_NE(stbi_write_jpg(path(c.name).c_str(), c.width, c.height, 3, image.data(), 90), 0);
        Loaded l;
        load(c.name, l);
        EXPECT_EQ(l.output, "");
        EXPECT_EQ(l.image.width, c.width);
        expectCompleteChain(l.texture, c.baseWidth, c.baseHeight);
        EXPECT_EQ(unpackAlignment(), 4) << c.name;
    }
}

TEST_F(LoaderTest, RowsOfNonMultipleOfFourBytesUploadAtTheirTrueStrideTopRowFirst)
{
    // 2 x 2 pixels: rows of 6 bytes. Read with the default alignment of 4, the second row
    // would start two bytes late and run past the buffer.
    const unsigned char image[12] = {255, 0, 0,   0, 255, 0,     // top row: red, green
                                     0, 0, 255,   250, 250, 0};  // bottom row: blue, yellow
    ASSERT_NE(stbi_write_jpg(path("tiny.jpg").c_str(), 2, 2, 3, image, 100), 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 8);  // whatever was set is put back
    Loaded l;
    load("tiny.jpg", l);
    EXPECT_EQ(unpackAlignment(), 8);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);

    unsigned char texels[12] = {0};
    glBindTexture(GL_TEXTURE_2D, l.texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    // The texels are the decoded bytes exactly, and those are the picture's colours give or
    // take the JPEG's rounding (far less than the shift a wrong stride would cause).
    ASSERT_NE(l.image.pixels, nullptr);
    EXPECT_EQ(std::vector<unsigned char>(texels, texels + 12),
              std::vector<unsigned char>(l.image.pixels, l.image.pixels + 12));
    for (int i = 0; i < 12; i++)
        EXPECT_NEAR(texels[i], image[i], 40) << "byte " << i;
    expectCompleteChain(l.texture, 2, 2);
}

TEST_F(LoaderTest, ABadFileLeavesANamedTextureWithoutAnImageAndTheStateUntouched)
{
    std::vector<unsigned char> image(16 * 16 * 3, 77);
    ASSERT_NE(stbi_write_jpg(path("good.jpg").c_str(), 16, 16, 3, image.data(), 90), 0);
    FILE* full = fopen(path("good.jpg").c_str(), "rb");
    ASSERT_NE(full, nullptr);
    std::vector<char> bytes(100000);
    size_t n = fread(bytes.data(), 1, bytes.size(), full);
    fclose(full);
    FILE* cut = fopen(path("cut.jpg").c_str(), "wb");
    fwrite(bytes.data(), 1, n / 4, cut);
    fclose(cut);
    fclose(fopen(path("empty.jpg").c_str(), "wb"));

    for (const char* name : {"absent.jpg", "empty.jpg", "cut.jpg"}) {
        Loaded l;
        load(name, l);
        EXPECT_NE(l.output.find(std::string("couldn't load texture ") + path(name)), std::string::npos);
        EXPECT_TRUE(glIsTexture(l.texture)) << name;
        EXPECT_EQ(levelSize(l.texture, 0).width, 0) << name;
        // Filters stay at OpenGL's defaults: nothing was uploaded or set.
        EXPECT_EQ(texParameter(l.texture, GL_TEXTURE_MIN_FILTER), GL_NEAREST_MIPMAP_LINEAR) << name;
        EXPECT_EQ(unpackAlignment(), 4) << name;
        EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR) << name;
    }
    Loaded absent;
    load("absent.jpg", absent);
    EXPECT_EQ(absent.image.pixels, nullptr);
    EXPECT_EQ(absent.image.width, 0);
}

// hud_test.cpp -- the heads-up display: every state put back, and light text on its dark backing
#include "hud/hud_draw.h"
#include "support/gl_helpers.h"

#include <gtest/gtest.h>

#include <vector>

static const HudFigures kFigures = {0.3f, 1.0f, 0.0f, 1234, -1.0};

TEST(Hud, LeavesEveryStateOfTheFrameAsItFoundIt)
{
    prepareFirstFrame();
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    const GLenum enables[] = {GL_LIGHTING, GL_DEPTH_TEST, GL_FOG, GL_TEXTURE_2D, GL_CULL_FACE, GL_BLEND};
    for (GLenum e : {GL_FOG, GL_TEXTURE_2D, GL_CULL_FACE})
        glEnable(e);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glLineWidth(2.0f);
    glColor4f(0.25f, 0.5f, 0.75f, 1.0f);
    glTranslatef(1.0f, 2.0f, 3.0f);
    std::vector<GLboolean> enabled;
    for (GLenum e : enables)
        enabled.push_back(glIsEnabled(e));
    auto modelview = currentMatrix(GL_MODELVIEW_MATRIX), projection = currentMatrix(GL_PROJECTION_MATRIX);
    auto ambient = frontMaterial(GL_AMBIENT), diffuse = frontMaterial(GL_DIFFUSE);
    int depth = modelviewDepth();

    drawHud({0.55f, -3.5f, 2.0f, 99, 59.9}, 1200, 1200);

    for (size_t i = 0; i < enabled.size(); i++)
        EXPECT_EQ(glIsEnabled(enables[i]), enabled[i]) << "enable " << i;
    GLint mode = 0, polygon[2] = {0, 0}, bound = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    glGetIntegerv(GL_POLYGON_MODE, polygon);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(mode, GL_MODELVIEW);
    EXPECT_TRUE(polygon[0] == GL_LINE && polygon[1] == GL_LINE && bound == (GLint)texture);
    EXPECT_EQ(lineWidth(), 2.0f);
    EXPECT_EQ(currentColour(), (std::array<float, 4>{0.25f, 0.5f, 0.75f, 1.0f}));
    EXPECT_EQ(currentMatrix(GL_MODELVIEW_MATRIX), modelview);
    EXPECT_EQ(currentMatrix(GL_PROJECTION_MATRIX), projection);
    EXPECT_EQ(modelviewDepth(), depth);
    EXPECT_EQ(frontMaterial(GL_AMBIENT), ambient);
    EXPECT_EQ(frontMaterial(GL_DIFFUSE), diffuse);
    EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
    glDeleteTextures(1, &texture);
}

TEST(Hud, LightTextOnADarkBackingInTheTopLeftCornerOnly)
{
    prepareFirstFrame();
    glClearColor(0.4f, 0.6f, 0.9f, 1.0f);  // a sky-blue frame
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawHud(kFigures, 1200, 1200);
    // Window rows 1200 - 150 .. 1200 - 20, columns 20 .. 300: inside the backing, scaled 3 times.
    std::vector<unsigned char> rgb(280 * 130 * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(20, 1050, 280, 130, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    int light = 0, dark = 0;
    for (size_t i = 0; i < rgb.size(); i += 3) {
        light += rgb[i] > 200 && rgb[i + 1] > 200 && rgb[i + 2] > 200;
        dark += rgb[i] < 60 && rgb[i + 1] < 70 && rgb[i + 2] < 100;
    }
    EXPECT_GT(light, 2000);
    EXPECT_GT(dark, 10000);
    EXPECT_EQ(light + dark, 280 * 130);
    Pixel outside = readPixel(900, 600);
    EXPECT_TRUE(outside.r == 102 && outside.g == 153 && outside.b == 230) << outside.r << " " << outside.g;
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
}

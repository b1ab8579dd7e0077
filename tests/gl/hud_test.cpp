// hud_test.cpp -- the heads-up display: every state put back, and light text on its dark backing
#include "hud/hud_draw.h"
#include "support/gl_helpers.h"

#include <gtest/gtest.h>

#include <vector>

// What the display must put back, as one list of numbers.
static std::vector<float> stateOfTheFrame()
{
    std::vector<float> state;
    for (GLenum e : {GL_LIGHTING, GL_DEPTH_TEST, GL_FOG, GL_TEXTURE_2D, GL_CULL_FACE, GL_BLEND})
        state.push_back(glIsEnabled(e));
    for (GLenum q : {GL_MATRIX_MODE, GL_POLYGON_MODE, GL_TEXTURE_BINDING_2D, GL_MODELVIEW_STACK_DEPTH,
                     GL_PROJECTION_STACK_DEPTH, GL_LINE_WIDTH, GL_CURRENT_COLOR, GL_MODELVIEW_MATRIX,
                     GL_PROJECTION_MATRIX}) {
        GLfloat values[16] = {};
        glGetFloatv(q, values);
        state.insert(state.end(), values, values + 16);
    }
    for (GLenum m : {GL_AMBIENT, GL_DIFFUSE})
        for (float f : frontMaterial(m))
            state.push_back(f);
    return state;
}

TEST(Hud, LightTextOnADarkBackingInTheCornerAndEveryStateOfTheFramePutBack)
{
    prepareFirstFrame();
    glClearColor(0.4f, 0.6f, 0.9f, 1.0f);  // a sky-blue frame
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glBindTexture(GL_TEXTURE_2D, 7);
    for (GLenum e : {GL_FOG, GL_TEXTURE_2D, GL_CULL_FACE})
        glEnable(e);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);  // wireframe: the display is filled all the same
    glLineWidth(2.0f);
    glColor4f(0.25f, 0.5f, 0.75f, 1.0f);
    glTranslatef(1.0f, 2.0f, 3.0f);
    std::vector<float> before = stateOfTheFrame();
    drawHud({0.3f, 1.0f, 0.0f, 1234, -1.0}, 1200, 1200);
    EXPECT_EQ(stateOfTheFrame(), before);
    EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
    // Window rows 1050..1179, columns 20..299: within the backing of four lines, scaled 3 times.
    std::vector<unsigned char> rgb(280 * 130 * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(20, 1050, 280, 130, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    int light = 0, dark = 0;
    for (size_t i = 0; i < rgb.size(); i += 3) {
        light += rgb[i] > 200 && rgb[i + 1] > 200 && rgb[i + 2] > 200;
        dark += rgb[i] < 60 && rgb[i + 1] < 70 && rgb[i + 2] < 100;
    }
    EXPECT_TRUE(light > 2000 && dark > 10000 && light + dark == 280 * 130) << light << " light, " << dark << " dark";
    Pixel outside = readPixel(900, 600);
    EXPECT_TRUE(outside.r == 102 && outside.g == 153 && outside.b == 230) << outside.r << " " << outside.g;

    // A 120 x 64 window shows only the two lines that fit whole, on a backing 90 pixels wide
    // from column 8; in 64 x 64 none fits, and nothing is drawn.
    glClearColor(0.4f, 0.6f, 0.9f, 1.0f);
    for (int width : {120, 64}) {
        glViewport(0, 0, width, 64);
        glClear(GL_COLOR_BUFFER_BIT);
        drawHud({0.05f, 1.25f, -0.0175f, 98, -1.0}, width, 64);
        int drawn = 0;
        for (int x = 0; x < width; x++)
            drawn += readPixel(x, 40).b != 230;
        EXPECT_EQ(drawn, width == 120 ? 90 : 0) << width;
    }
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
}

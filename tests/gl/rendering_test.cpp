// rendering_test.cpp -- fixed rendering state, reshape and the projection in a real context
#include "common/window_size.h"
#include "render/rendering_gl.h"
#include "support/gl_helpers.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(InitRendering, LeavesTheFixedStateOfTheRun)
{
    initRendering();
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
    EXPECT_FALSE(glIsEnabled(GL_LIGHT1));
    EXPECT_TRUE(glIsEnabled(GL_NORMALIZE));
    EXPECT_FALSE(glIsEnabled(GL_FOG));
    EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));

    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);

    float clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    for (float c : clear)
        EXPECT_EQ(c, 0.0f);

    float fog[4];
    glGetFloatv(GL_FOG_COLOR, fog);
    const float expectedFog[4] = {0.8f, 0.55f, 0.9f, 0.5f};
    for (int i = 0; i < 4; i++)
        EXPECT_FLOAT_EQ(fog[i], expectedFog[i]);
    GLint fogMode = 0;
    glGetIntegerv(GL_FOG_MODE, &fogMode);
    EXPECT_EQ(fogMode, GL_EXP);
    float density = 0.0f;
    glGetFloatv(GL_FOG_DENSITY, &density);
    EXPECT_EQ(density, 0.005f);

    // The start-up projection: 90 degrees, aspect 1, near 0.001, far 1000.
    auto p = currentMatrix(GL_PROJECTION_MATRIX);
    EXPECT_NEAR(p[0], 1.0f, 1e-6f);
    EXPECT_NEAR(p[5], 1.0f, 1e-6f);
    double near = p[14] / (p[10] - 1.0);
    EXPECT_NEAR(near, 0.001, 1e-5);
}

static double nearPlane(const std::array<float, 16>& p)
{
    return (double)p[14] / ((double)p[10] - 1.0);
}

TEST(Reshape, SetsViewportProjectionAndTheWidthTheMouseUses)
{
    initRendering();
    reshape(1200, 1200);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 1200);
    EXPECT_EQ(viewport[3], 1200);
    auto p = currentMatrix(GL_PROJECTION_MATRIX);
    EXPECT_NEAR(p[0] / p[5], 1.0, 1e-6);
    EXPECT_NEAR(nearPlane(p), 0.2, 1e-4);

    reshape(1600, 900);
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 1600);
    EXPECT_EQ(viewport[3], 900);
    EXPECT_EQ(winWidth, 1600);
    EXPECT_EQ(winHeight, 900);
    p = currentMatrix(GL_PROJECTION_MATRIX);
    EXPECT_NEAR(p[5] / p[0], 1.7777778f, 1e-6);
    EXPECT_NEAR(p[5], 1.0f, 1e-6f);  // 90 degrees vertical field of view

    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
}

TEST(Reshape, ReplacesTheProjectionInsteadOfCompoundingIt)
{
    initRendering();
    reshape(800, 600);
    auto first = currentMatrix(GL_PROJECTION_MATRIX);
    reshape(800, 600);
    EXPECT_EQ(currentMatrix(GL_PROJECTION_MATRIX), first);
}

TEST(Reshape, AZeroSizedWindowKeepsTheProjectionFinite)
{
    initRendering();
    for (auto [w, h] : {std::pair{1200, 0}, std::pair{0, 1200}, std::pair{0, 0}}) {
        reshape(w, h);
        for (float v : currentMatrix(GL_PROJECTION_MATRIX))
            EXPECT_TRUE(std::isfinite(v)) << w << " x " << h;
        EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
    }
}

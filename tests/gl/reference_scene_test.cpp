// reference_scene_test.cpp -- the axes, sphere and grid: state left behind and rendered pixels
#include "environment/reference_scene_draw.h"
#include "flight/flight.h"
#include "support/gl_helpers.h"

#include <gtest/gtest.h>

class ReferenceSceneTest : public testing::TestWithParam<int> {
protected:
    void SetUp() override { prepareFirstFrame(); }
};

TEST_P(ReferenceSceneTest, LeavesLightingOnLineWidthOneColourWhiteAndTheMatrixUnchanged)
{
    wireframe = GetParam();
    glLoadIdentity();
    glTranslatef(1.0f, 2.0f, 3.0f);
    auto before = currentMatrix(GL_MODELVIEW_MATRIX);
    int depth = modelviewDepth();
    glDisable(GL_LIGHTING);

    drawReferenceScene();

    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_EQ(lineWidth(), 1.0f);
    EXPECT_EQ(currentColour(), (std::array<float, 4>{1, 1, 1, 1}));
    EXPECT_EQ(currentMatrix(GL_MODELVIEW_MATRIX), before);
    EXPECT_EQ(modelviewDepth(), depth);
    EXPECT_EQ(frontMaterial(GL_AMBIENT), (std::array<float, 4>{0, 0, 0, 1}));
    EXPECT_EQ(frontMaterial(GL_DIFFUSE), (std::array<float, 4>{1, 1, 1, 1}));
    EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
}

INSTANTIATE_TEST_SUITE_P(FilledAndWireframe, ReferenceSceneTest, testing::Values(0, 1));

// Looks straight down at the origin from the given height (4 unless said): the x axis runs to
// the right of the centre, the z axis downward, the grid lines cross at every integer.
static void drawTopView(double height = 4.0)
{
    glLoadIdentity();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    gluLookAt(0.0, height, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, -1.0);
    const float sunPos[4] = {0.3f, 1.0f, -1.0f, 0.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, sunPos);
    drawReferenceScene();
    glFinish();
}

// The most saturated pixel of a short run across a line, so the test does not depend on
// which of two pixel rows a line on a pixel boundary falls on.
static Pixel acrossLine(int x, int y, int dx, int dy)
{
    Pixel best{0, 0, 0};
    for (int k = -3; k <= 3; k++) {
        Pixel p = readPixel(x + k * dx, y + k * dy);
        if (p.r + p.g + p.b > best.r + best.g + best.b)
            best = p;
    }
    return best;
}

TEST(ReferenceScenePixels, AxesAreColouredGridIsWhiteAndTheRestIsBlack)
{
    prepareFirstFrame();
    referenceScene = 1;
    drawTopView();
    // 90 degree view from height 4: 1 world unit = 150 pixels at y = 0, centre (600, 600).
    Pixel xAxis = acrossLine(600 + 120, 600, 0, 1);   // x axis between the sphere and x = 1
    EXPECT_EQ(xAxis.r, 255);
    EXPECT_EQ(xAxis.g + xAxis.b, 0);
    Pixel zAxis = acrossLine(600, 600 - 120, 1, 0);   // +z lies toward the bottom of the view
    EXPECT_EQ(zAxis.b, 255);
    EXPECT_EQ(zAxis.r + zAxis.g, 0);
    int axisRows = 0;                                 // 5 pixels wide
    for (int y = 590; y < 610; y++)
        axisRows += readPixel(720, y).r == 255 ? 1 : 0;
    EXPECT_EQ(axisRows, 5);
    Pixel gridLine = acrossLine(600 + 300, 600 + 225, 1, 0);  // the line x = 2, z = -1.5
    EXPECT_EQ(gridLine.r + gridLine.g + gridLine.b, 3 * 255);
    Pixel outerLine = acrossLine(600 - 150 * 3, 600 + 75, 1, 0);
    EXPECT_EQ(outerLine.r + outerLine.g + outerLine.b, 3 * 255);
    Pixel gap = readPixel(600 + 225, 600 + 225);   // inside the cell (1.5, -1.5)
    EXPECT_EQ(gap.r + gap.g + gap.b, 0);
    Pixel sphereTop = readPixel(600, 600 + 30);       // the sphere's lit side faces the sun
    Pixel sphereFar = readPixel(600, 600 - 60);
    EXPECT_GT(sphereTop.r, 150);
    EXPECT_LT(sphereFar.r, sphereTop.r);

    // From height 12 (1 world unit = 50 pixels) the whole grid shows: 21 x 21 squares of side 2
    // centred on -10 .. 10, so its outer lines lie at x = -11 and x = 11 and nothing beyond.
    drawTopView(12.0);
    for (int side : {-1, 1}) {
        Pixel edge = acrossLine(600 + side * 50 * 11, 600 + 25, 1, 0);
        EXPECT_EQ(edge.r + edge.g + edge.b, 3 * 255) << "outer line at x = " << side * 11;
        Pixel inside = readPixel(600 + side * 525, 600 + 25);
        Pixel outside = readPixel(600 + side * 575, 600 + 25);
        EXPECT_EQ(inside.r + inside.g + inside.b, 0) << side;
        EXPECT_EQ(outside.r + outside.g + outside.b, 0) << side;
    }
}

TEST(ReferenceScenePixels, WireframeSphereShowsItsMeshOverTheBlackBackground)
{
    prepareFirstFrame();
    referenceScene = 1;
    drawTopView();
    int litFilled = 0;
    for (int x = 540; x < 660; x++)
        litFilled += readPixel(x, 640).r > 40 ? 1 : 0;
    wireframe = 1;
    drawTopView();
    int litWire = 0;
    for (int x = 540; x < 660; x++)
        litWire += readPixel(x, 640).r > 40 ? 1 : 0;
    EXPECT_GT(litFilled, 100);
    EXPECT_LT(litWire, litFilled / 2);
    EXPECT_GT(litWire, 0);
}

// mountain_draw_test.cpp -- drawing the mountains: bands, placement, primitives, state and pixels
#include "common/random.h"
#include "flight/flight.h"
#include "render/frame_draw.h"
#include "mountains/mountains.h"
#include "support/gl_helpers.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

// One vertex of the feedback buffer: window position and lit colour.
struct FedVertex {
    float x, y, z;
    float rgba[4];
};

// The primitives GL produced, as read back through feedback mode.
struct Feedback {
    std::vector<int> tokens;                  // GL_POLYGON_TOKEN, GL_LINE_TOKEN, GL_LINE_RESET_TOKEN
    std::vector<std::vector<FedVertex>> vertices;  // per primitive
};

static FedVertex readVertex(const std::vector<float>& buffer, size_t& at)
{
    FedVertex v{buffer[at], buffer[at + 1], buffer[at + 2], {buffer[at + 3], buffer[at + 4], buffer[at + 5], buffer[at + 6]}};
    at += 7;
    return v;
}

// Draws slot 0 with the given placement through feedback mode, under a projection and view of
// identity turned so the model's y axis faces the viewer, lit so that each vertex's colour is
// exactly its diffuse material (no ambient, light along the normal of a level quad). The
// normal comes from the first three corners only, so those three share one height.
static Feedback drawThroughFeedback(float tx, float sx, int outlines)
{
    prepareFirstFrame();
    wireframe = outlines;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const float none[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    const float towardViewer[4] = {0.0f, 0.0f, 1.0f, 0.0f};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, none);
    glLightfv(GL_LIGHT0, GL_POSITION, towardViewer);
    glMaterialfv(GL_FRONT, GL_AMBIENT, none);
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);  // model +y toward the viewer, model z upward on screen
    glScalef(1.0f, 0.25f, 1.0f);         // keep every height inside the clip volume

    std::vector<float> buffer(4096);
    glFeedbackBuffer((GLsizei)buffer.size(), GL_3D_COLOR, buffer.data());
    glRenderMode(GL_FEEDBACK);
    drawMountain(tx, 0.0f, 0.0f, sx, 1.0f, 1.0f, 0);
    int used = glRenderMode(GL_RENDER);
    wireframe = 0;

    Feedback fed;
    size_t at = 0;
    while (at < (size_t)used) {
        int token = (int)buffer[at++];
        fed.tokens.push_back(token);
        std::vector<FedVertex> vertices;
        if (token == GL_POLYGON_TOKEN) {
            int n = (int)buffer[at++];
            for (int i = 0; i < n; i++)
                vertices.push_back(readVertex(buffer, at));
        } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
            vertices.push_back(readVertex(buffer, at));
            vertices.push_back(readVertex(buffer, at));
        } else {
            ADD_FAILURE() << "unexpected feedback token " << token;
            break;
        }
        fed.vertices.push_back(vertices);
    }
    return fed;
}

// Slot 0 holding one quad of side 0.5 at the given corner heights.
static void oneQuad(const float heights[4])
{
    clearMountain(0);
    MountainSlot& m = mountainSlots[0];
    m.vertices[9] = {-0.5f, heights[0], 0.5f};
    m.vertices[10] = {0.0f, heights[1], 0.5f};
    m.vertices[11] = {0.0f, heights[2], 0.0f};
    m.vertices[12] = {-0.5f, heights[3], 0.0f};
    m.quads[0] = {{9, 10, 11, 12}};
    computeMountainNormals(0);
}

// The three height bands' diffuse colours.
static const float kBrown[4] = {0.55f, 0.4f, 0.23f, 1.0f};
static const float kGreen[4] = {0.3f, 0.5f, 0.18f, 1.0f};
static const float kWhite[4] = {1.0f, 1.0f, 1.0f, 1.0f};

static void expectColour(const float* got, const float* want, const char* what)
{
    for (int i = 0; i < 4; i++)
        EXPECT_NEAR(got[i], want[i], 1e-5) << what << " component " << i;
}

// The window position of each corner of oneQuad's quad under drawThroughFeedback with no
// placement: model x -0.5 and 0 land at window x 300 and 600, model z 0.5 and 0 at window y
// 300 and 600.
static const float kCornerWindow[4][2] = {{300.0f, 300.0f}, {600.0f, 300.0f}, {600.0f, 600.0f}, {300.0f, 600.0f}};

// Which corner a fed vertex is, by its window position; -1 when none.
static int cornerOf(const FedVertex& v)
{
    for (int c = 0; c < 4; c++)
        if (std::fabs(v.x - kCornerWindow[c][0]) < 0.5f && std::fabs(v.y - kCornerWindow[c][1]) < 0.5f)
            return c;
    return -1;
}

// A filled quad comes back as polygons (the implementation may split it into triangles) that
// together use all four corners; every fed vertex must carry its own corner's colour.
static void expectFilledQuad(const Feedback& fed, const float* const colours[4])
{
    ASSERT_FALSE(fed.tokens.empty());
    bool seen[4] = {false, false, false, false};
    for (size_t n = 0; n < fed.tokens.size(); n++) {
        ASSERT_EQ(fed.tokens[n], GL_POLYGON_TOKEN);
        for (const FedVertex& v : fed.vertices[n]) {
            int c = cornerOf(v);
            ASSERT_GE(c, 0) << "vertex at " << v.x << ", " << v.y;
            seen[c] = true;
            expectColour(v.rgba, colours[c], "corner");
        }
    }
    for (int c = 0; c < 4; c++)
        EXPECT_TRUE(seen[c]) << "corner " << c;
}

TEST(MountainBands, EachCornerIsColouredByItsOwnHeight)
{
    struct Case {
        float height;
        const float* colour;
        const char* what;
    };
    const Case cases[] = {
        {0.0f, kBrown, "rim"},
        {0.9f, kBrown, "the float nearest 0.9, just below it"},
        {std::nextafter(0.9f, 1.0f), kGreen, "the next float above 0.9"},
        {0.95f, kGreen, "0.95"},
        {std::nextafter(1.0f, 0.0f), kGreen, "just below 1"},
        {1.0f, kWhite, "exactly 1"},
        {1.6f, kWhite, "above the apex height"},
        {0.5f, kBrown, "mid slope"},
    };
    // The height under test at the fourth corner, then at the first three.
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const float atFourth[4] = {0.0f, 0.0f, 0.0f, c.height};
        oneQuad(atFourth);
        const float* fourthColours[4] = {kBrown, kBrown, kBrown, c.colour};
        expectFilledQuad(drawThroughFeedback(0.0f, 1.0f, 0), fourthColours);
        const float atFirstThree[4] = {c.height, c.height, c.height, 0.0f};
        oneQuad(atFirstThree);
        const float* firstColours[4] = {c.colour, c.colour, c.colour, kBrown};
        expectFilledQuad(drawThroughFeedback(0.0f, 1.0f, 0), firstColours);
    }
}

TEST(MountainDrawing, FilledQuadsArePolygonsAndWireframeQuadsClosedLoopsThroughTheCorners)
{
    const float heights[4] = {0.95f, 0.95f, 0.95f, 1.0f};
    oneQuad(heights);
    Feedback filled = drawThroughFeedback(0.0f, 1.0f, 0);
    Feedback outline = drawThroughFeedback(0.0f, 1.0f, 1);

    const float* colours[4] = {kGreen, kGreen, kGreen, kWhite};
    expectFilledQuad(filled, colours);
    // One closed loop: four segments through the corners in order, the last one back to the
    // first corner (the first segment may come as a line-reset token).
    ASSERT_EQ(outline.tokens.size(), 4u);
    for (int s = 0; s < 4; s++) {
        EXPECT_TRUE(outline.tokens[s] == GL_LINE_TOKEN || (s == 0 && outline.tokens[s] == GL_LINE_RESET_TOKEN));
        const FedVertex& from = outline.vertices[s][0];
        const FedVertex& to = outline.vertices[s][1];
        EXPECT_EQ(cornerOf(from), s);
        EXPECT_EQ(cornerOf(to), (s + 1) % 4);
        // lit and coloured exactly as the filled quad
        expectColour(from.rgba, colours[s], "outline start");
        expectColour(to.rgba, colours[(s + 1) % 4], "outline end");
    }
}

TEST(MountainDrawing, ScalesAfterTranslatingAndStopsAtTheFirstFreeQuad)
{
    const float heights[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    oneQuad(heights);
    MountainSlot& m = mountainSlots[0];
    m.quads[2] = {{9, 10, 11, 12}};  // behind the free entry 1: never drawn
    // Outlines, one segment per corner, make the count of quads drawn plain.
    Feedback fed = drawThroughFeedback(0.25f, 2.0f, 1);
    ASSERT_EQ(fed.tokens.size(), 4u);
    // Model x -0.5 lands at 2 * (-0.5 + 0.25) = -0.5, window x (1 - 0.5) * 600 = 300; translating
    // after scaling would give 2 * -0.5 + 0.25 = -0.75, window x 150. Model x 0 lands at 0.5: 900.
    EXPECT_NEAR(fed.vertices[0][0].x, 300.0f, 0.01f);
    EXPECT_NEAR(fed.vertices[0][1].x, 900.0f, 0.01f);

    // A quad with corrupt indices is skipped, not read; the walk goes on to quad 2.
    m.quads[1] = {{9, 10, 20600, -5}};
    Feedback skipped = drawThroughFeedback(0.0f, 1.0f, 1);
    EXPECT_EQ(skipped.tokens.size(), 8u);
    clearMountain(0);
}

TEST(MountainDrawing, LeavesTheMatrixAsFoundAndTheMaterialAndLightingSet)
{
    seedRandom(2);
    buildMountains();
    for (int wf : {0, 1}) {
        prepareFirstFrame();
        wireframe = wf;
        gluLookAt(-1.0, 1.0, -1.0, 0.0, 1.0, 0.0, 0.0, 1.0, 0.0);
        auto before = currentMatrix(GL_MODELVIEW_MATRIX);
        int depth = modelviewDepth();
        glMaterialf(GL_FRONT, GL_SHININESS, 0.0f);
        glMaterialfv(GL_FRONT, GL_SPECULAR, kWhite);
        glDisable(GL_LIGHTING);
        drawMountains();
        EXPECT_EQ(currentMatrix(GL_MODELVIEW_MATRIX), before);
        EXPECT_EQ(modelviewDepth(), depth);
        GLint mode = 0;
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        EXPECT_EQ(mode, GL_MODELVIEW);
        EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
        EXPECT_EQ(frontShininess(), 1.0f);
        EXPECT_EQ(frontMaterial(GL_SPECULAR), (std::array<float, 4>{0, 0, 0, 1}));
        EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
    }
    wireframe = 0;
}

// ---- pixels ----

// Where a world point lands in the window under the current matrices.
static std::array<int, 2> windowOf(double x, double y, double z)
{
    double model[16], projection[16];
    int viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    double wx, wy, wz;
    gluProject(x, y, z, model, projection, viewport, &wx, &wy, &wz);
    return {(int)std::lround(wx), (int)std::lround(wy)};
}

// Looks at mountain 2 from its sunlit -z side, from 160 units off, eye above its apex height.
static void lookAtMountainTwo()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    gluLookAt(70.0, 25.0, -230.0, 70.0, 0.0, -70.0, 0.0, 1.0, 0.0);
    const float sunPos[4] = {0.3f, 1.0f, -1.0f, 0.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, sunPos);
}

// The height of the welded mountain at a grid position of slot 2.
static float heightAt(float x, float z)
{
    const MountainSlot& m = mountainSlots[2];
    for (int i = 0; i < kMountainEntries; i++)
        if (m.vertices[i].x == x && m.vertices[i].z == z)
            return m.vertices[i].y;
    ADD_FAILURE() << "no vertex at " << x << ", " << z;
    return 0.0f;
}

TEST(MountainPixels, MountainTwoShowsBrownSlopesAndAWhiteTop)
{
    seedRandom(2);
    buildMountains();
    prepareFirstFrame();
    lookAtMountainTwo();
    const MountainPlacement& at = mountainPlacements[2];
    drawMountain(at.tx, at.ty, at.tz, at.sx, at.sy, at.sz, 2);
    glFinish();

    // Around a point low on the slope facing the camera most pixels are lit brown.
    float slopeY = heightAt(0.0f, -0.8125f);
    ASSERT_LT(slopeY, 0.9f);
    auto slope = windowOf(70.0 * (0.0 + 1.0), 50.0 * ((double)slopeY - 0.8), 70.0 * (-0.8125 - 1.0));
    int brownPixels = 0;
    for (int dy = -20; dy < 20; dy++)
        for (int dx = -20; dx < 20; dx++) {
            Pixel p = readPixel(slope[0] + dx, slope[1] + dy);
            brownPixels += p.r > p.g && p.g > p.b && p.r > 60 ? 1 : 0;
        }
    EXPECT_GT(brownPixels, 40 * 40 / 2) << "around " << slope[0] << "," << slope[1];

    auto apex = windowOf(70.0, 50.0 * (1.0 - 0.8), -70.0);
    int whitePixels = 0;
    for (int dy = -12; dy <= 0; dy++)
        for (int dx = -6; dx <= 6; dx++) {
            Pixel p = readPixel(apex[0] + dx, apex[1] + dy);
            bool grey = std::abs(p.r - p.g) < 20 && std::abs(p.g - p.b) < 30;
            whitePixels += grey && p.r > 140 ? 1 : 0;
        }
    EXPECT_GT(whitePixels, 40) << "around " << apex[0] << "," << apex[1];

    Pixel sky = readPixel(apex[0], 1150);
    EXPECT_EQ(sky.r + sky.g + sky.b, 0);  // nothing else was drawn
}

TEST(MountainPixels, TheFrameDrawsTheMountainsOnlyWhenSwitchedOnInTheFullScene)
{
    seedRandom(2);
    buildMountains();
    prepareFirstFrame();
    eye = {70.0f, 25.0f, -230.0f};
    lookAt = {70.0f, 0.0f, -70.0f};
    // Just below the apex of mountain 2, where nothing else of the scene is.
    struct Case {
        int mountains;
        int reference;
    };
    std::array<Pixel, 3> seen{};
    const Case cases[3] = {{1, 0}, {0, 0}, {1, 1}};
    for (int n = 0; n < 3; n++) {
        mountainsOn = cases[n].mountains;
        referenceScene = cases[n].reference;
        glLineWidth(4.0f);
        drawFrame();
        glFinish();
        EXPECT_EQ(lineWidth(), 1.0f) << "sea, sky, mountains and grid are drawn with 1-pixel lines";
        auto apex = windowOf(70.0, 50.0 * (1.0 - 0.8), -70.0);
        seen[n] = readPixel(apex[0], apex[1] - 6);
    }
    mountainsOn = 1;
    referenceScene = 0;
    auto differs = [](Pixel a, Pixel b) { return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b) > 30; };
    EXPECT_TRUE(differs(seen[0], seen[1])) << "mountains on against off";
    EXPECT_TRUE(differs(seen[0], seen[2])) << "full scene against reference scene";
}

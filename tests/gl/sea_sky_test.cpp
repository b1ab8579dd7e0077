// sea_sky_test.cpp -- the sea disk and sky cylinder: state left behind and rendered pixels
#include "environment/sea_sky_draw.h"
#include "environment/texture_gl.h"
#include "flight/flight.h"
#include "support/gl_helpers.h"

#include <gtest/gtest.h>
#include <stb_image.h>
#include <stb_image_write.h>

#include <cmath>
#include <cstdlib>
#include <array>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

const Pixel kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kYellow{255, 255, 0};
const Pixel kMagenta{255, 0, 255}, kCyan{0, 255, 255}, kOrange{255, 128, 0}, kGrey{128, 128, 128};

bool near(Pixel a, Pixel b, int tolerance)
{
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

::testing::AssertionResult looksLike(Pixel got, Pixel want, int tolerance = 8)
{
    if (near(got, want, tolerance))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got (" << got.r << ", " << got.g << ", " << got.b
                                         << "), want (" << want.r << ", " << want.g << ", " << want.b << ")";
}

// Writes a PNG made by colourAt(x, y) and loads it as a texture through the loader's path.
template <typename F>
GLuint makeTexture(int size, F colourAt)
{
    std::vector<unsigned char> image((size_t)size * size * 3);
    for (int y = 0; y < size; y++)
        for (int x = 0; x < size; x++) {
            Pixel p = colourAt(x, y);
            unsigned char* at = &image[((size_t)y * size + x) * 3];
            at[0] = (unsigned char)p.r;
            at[1] = (unsigned char)p.g;
            at[2] = (unsigned char)p.b;
        }
    char templ[] = "/tmp/brinewings-seasky.XXXXXX";
    std::string folder = mkdtemp(templ);
    std::string file = folder + "/texture.jpg";
    stbi_write_jpg(file.c_str(), size, size, 3, image.data(), 100);
    GLuint texture = 0;
    DecodedImage decoded = {};
    loadTextureFile(file.c_str(), &texture, &decoded);
    releaseImage(&decoded);
    std::system(("rm -rf " + folder).c_str());
    return texture;
}

// Sea: image quarters by the top row's side (+z) and the left column's side (-x).
GLuint quarteredSea()
{
    return makeTexture(64, [](int x, int y) {
        if (y < 32)
            return x < 32 ? kRed : kGreen;
        return x < 32 ? kBlue : kYellow;
    });
}

// Sky: four quarters of columns, centred on s = 0, 0.25, 0.5 and 0.75, the upper half of
// the rows at half brightness.
GLuint compassSky()
{
    return makeTexture(256, [](int x, int y) {
        int quarter = ((x + 32) / 64) % 4;
        Pixel p = quarter == 0 ? kMagenta : quarter == 1 ? kCyan : quarter == 2 ? kOrange : kGrey;
        if (y < 128)
            p = Pixel{p.r / 2, p.g / 2, p.b / 2};
        return p;
    });
}

// Clears and looks horizontally from (x, y, z) toward (x + dx, y, z + dz).
void lookFrom(float x, float y, float z, float dx, float dz)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    gluLookAt(x, y, z, x + dx, y, z + dz, 0.0, 1.0, 0.0);
}

void drawSeaAndSky()
{
    drawSea();
    drawSky();
    glFinish();
}

class SeaSkyState : public testing::TestWithParam<std::tuple<int, int>> {
protected:
    void SetUp() override
    {
        prepareFirstFrame();
        std::tie(wireframe, fogOn) = GetParam();
        seaTexture = quarteredSea();
        skyTexture = compassSky();
        glLoadIdentity();
        glTranslatef(1.0f, -2.0f, 3.0f);
        glColor3f(1.0f, 1.0f, 1.0f);
        glLineWidth(1.0f);
    }
    void TearDown() override { EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR); }
};

}  // namespace

TEST_P(SeaSkyState, SeaLeavesLightingOnFogAndTexturingOffShininessZeroAndTheMatrix)
{
    auto before = currentMatrix(GL_MODELVIEW_MATRIX);
    int depth = modelviewDepth();
    glDisable(GL_LIGHTING);
    glMaterialf(GL_FRONT, GL_SHININESS, 50.0f);
    glShadeModel(GL_FLAT);

    drawSea();

    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_FOG));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(frontShininess(), 0.0f);
    EXPECT_EQ(currentColour(), (std::array<float, 4>{1, 1, 1, 1}));
    EXPECT_EQ(currentMatrix(GL_MODELVIEW_MATRIX), before);
    EXPECT_EQ(modelviewDepth(), depth);
    EXPECT_EQ(lineWidth(), 1.0f);
    GLint shade = 0;
    glGetIntegerv(GL_SHADE_MODEL, &shade);
    EXPECT_EQ(shade, wireframe != 0 ? GL_FLAT : GL_SMOOTH);
}

TEST_P(SeaSkyState, SkyLeavesLightingOnTexturingOffAndTheMatrix)
{
    auto before = currentMatrix(GL_MODELVIEW_MATRIX);
    int depth = modelviewDepth();
    glDisable(GL_LIGHTING);

    drawSky();

    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_FOG));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(currentColour(), (std::array<float, 4>{1, 1, 1, 1}));
    EXPECT_EQ(currentMatrix(GL_MODELVIEW_MATRIX), before);
    EXPECT_EQ(modelviewDepth(), depth);
    EXPECT_EQ(lineWidth(), 1.0f);
}

INSTANTIATE_TEST_SUITE_P(WireframeAndFog, SeaSkyState,
                         testing::Combine(testing::Values(0, 1), testing::Values(0, 1)));

// The vertices a routine hands to OpenGL, in world units, caught in feedback mode through an
// orthographic view 2000 units across (1200 pixels), which clips nothing of the sea and sky.
static std::vector<std::array<double, 3>> worldVertices(void (*draw)())
{
    static std::vector<GLfloat> buffer(8000000);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1000.0, 1000.0, -1000.0, 1000.0, -1000.0, 1000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glFeedbackBuffer((GLsizei)buffer.size(), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    GLint size = glRenderMode(GL_RENDER);
    EXPECT_GT(size, 0) << "the feedback buffer overflowed";
    std::vector<std::array<double, 3>> vertices;
    for (GLint i = 0; i < size;) {
        GLint token = (GLint)buffer[(size_t)i++];
        GLint count = token == GL_POLYGON_TOKEN ? (GLint)buffer[(size_t)i++] : token == GL_POINT_TOKEN ? 1 : 2;
        for (const GLfloat* w = &buffer[(size_t)i]; count-- > 0; w += 3, i += 3)
            vertices.push_back({w[0] / 0.6 - 1000.0, w[1] / 0.6 - 1000.0, (1.0 - 2.0 * w[2]) * 1000.0});
    }
    return vertices;
}

TEST(SeaSkyTessellation, TheSeaHas50LoopsOf40SlicesAndTheSkyIs100SlicesBy100Stacks)
{
    // The sea: radius 500 in 50 loops (51 rings, 10 apart) at y = 0; the sky: radius 495, 1000
    // high from y = -5 in 100 stacks (101 rings). Rings by radius or height above -5 in whole
    // units; angles in hundredths of the slice step (9 and 3.6 degrees).
    struct Row { void (*draw)(); bool sea; int rings; double slice; };
    const Row rows[] = {{drawSea, true, 51, 9.0}, {drawSky, false, 101, 3.6}};
    prepareFirstFrame();
    for (wireframe = 0; wireframe <= 1; wireframe++)
        for (const Row& row : rows) {
            SCOPED_TRACE(testing::Message() << (row.sea ? "sea" : "sky") << ", wireframe " << wireframe);
            std::set<long> rings, angles, wantedRings, wantedAngles;
            int offSurface = 0;
            for (const auto& v : worldVertices(row.draw)) {
                double radius = std::hypot(v[0], v[2]);
                offSurface += std::abs(row.sea ? v[1] : radius - 495.0) > 0.05;
                rings.insert(std::lround(row.sea ? radius : v[1] + 5.0));
                double degrees = std::fmod(std::atan2(v[0], v[2]) * 180.0 / M_PI + 360.0, 360.0);
                if (radius > 1.0)
                    angles.insert(std::lround(degrees / row.slice * 100.0) % std::lround(36000.0 / row.slice));
            }
            for (int k = 0; k < row.rings; k++)
                wantedRings.insert(10L * k);
            for (long k = 0; k < std::lround(360.0 / row.slice); k++)
                wantedAngles.insert(100L * k);
            EXPECT_EQ(offSurface, 0);
            EXPECT_EQ(rings, wantedRings);
            EXPECT_EQ(angles, wantedAngles);
        }
}

TEST(SeaSkyPixels, ImagesLieWhereTheirCoordinatesSay)
{
    prepareFirstFrame();
    fogOn = 0;
    seaTexture = quarteredSea();
    skyTexture = compassSky();
    // 90 degrees across 1200 pixels: row 600 is the horizon, row 150 sees the sea 1.3 units
    // ahead, row 750 the lower (bright) half of the sky wall, 495 units away. Around the
    // sky, GLU's s grows clockwise seen from above: +z at 0, -x at 0.25, -z at 0.5, +x at
    // 0.75, so from inside the panorama reads left to right, unmirrored.
    struct View {
        float x, z, dx, dz;
        Pixel sea, sky;
    };
    const View views[] = {
        {-200.0f, 200.0f, 0.0f, 1.0f, kRed, kMagenta},     // +z side, -x half; sky toward +z
        {200.0f, 200.0f, 1.0f, 0.0f, kGreen, kGrey},       // +z side, +x half; sky toward +x
        {-200.0f, -200.0f, 0.0f, -1.0f, kBlue, kOrange},   // -z side, -x half; sky toward -z
        {200.0f, -200.0f, -1.0f, 0.0f, kYellow, kCyan},    // -z side, +x half; sky toward -x
    };
    for (const View& v : views) {
        lookFrom(v.x, 1.0f, v.z, v.dx, v.dz);
        drawSeaAndSky();
        EXPECT_TRUE(looksLike(readPixel(600, 150), v.sea)) << v.x << ", " << v.z;
        lookFrom(0.0f, 1.0f, 0.0f, v.dx, v.dz);
        drawSeaAndSky();
        EXPECT_TRUE(looksLike(readPixel(600, 750), v.sky)) << v.dx << ", " << v.dz;
    }
    // Toward +x +z (s = 0.875 at the centre): +x's quarter on the left, +z's on the right.
    lookFrom(0.0f, 1.0f, 0.0f, 1.0f, 1.0f);
    drawSeaAndSky();
    EXPECT_TRUE(looksLike(readPixel(100, 750), kGrey));
    EXPECT_TRUE(looksLike(readPixel(1100, 750), kMagenta));
    // The image's top rows lie along the top of the sky: from y = 400 the view upward meets
    // the wall at about y = 800, in the upper (darker) half of the image.
    lookFrom(0.0f, 400.0f, 0.0f, 0.0f, 1.0f);
    drawSeaAndSky();
    EXPECT_TRUE(looksLike(readPixel(600, 1150), Pixel{127, 0, 127}));
    EXPECT_TRUE(looksLike(readPixel(600, 560), kMagenta));
}

TEST(SeaSkyPixels, FogTintsTheDistantSeaOnlyAndOnlyWhenOn)
{
    prepareFirstFrame();
    seaTexture = makeTexture(16, [](int, int) { return kBlue; });
    skyTexture = compassSky();
    Pixel farSea[2], nearSea[2], sky[2];
    for (int fog = 0; fog <= 1; fog++) {
        fogOn = fog;
        lookFrom(0.0f, 1.0f, 0.0f, 0.0f, 1.0f);
        drawSeaAndSky();
        farSea[fog] = readPixel(600, 594);  // about 100 units ahead
        nearSea[fog] = readPixel(600, 50);  // about 1 unit ahead
        sky[fog] = readPixel(600, 750);
    }
    EXPECT_TRUE(looksLike(farSea[0], kBlue, 2));
    EXPECT_TRUE(looksLike(nearSea[0], kBlue, 2));
    // exp(-0.005 * 100) = 0.61 of the sea's blue, the rest the fog colour (0.8, 0.55, 0.9).
    EXPECT_NEAR(farSea[1].r, 0.39 * 0.8 * 255, 20);
    EXPECT_NEAR(farSea[1].g, 0.39 * 0.55 * 255, 20);
    EXPECT_TRUE(looksLike(nearSea[1], kBlue, 6));
    EXPECT_TRUE(looksLike(sky[1], sky[0], 0));
    EXPECT_TRUE(looksLike(sky[1], kMagenta));
}

TEST(SeaSkyPixels, WireframeSeaIsATexturedMeshAndTheSkyOneColour)
{
    prepareFirstFrame();
    fogOn = 0;
    seaTexture = makeTexture(16, [](int, int) { return kGreen; });
    skyTexture = compassSky();
    // Looking diagonally toward +x and +z, the filled sky shows two colours.
    lookFrom(0.0f, 1.0f, 0.0f, 1.0f, 1.0f);
    drawSeaAndSky();
    std::set<std::tuple<int, int, int>> filledSky;
    for (int x = 0; x < 1200; x += 40)
        filledSky.insert({readPixel(x, 800).r, readPixel(x, 800).g, readPixel(x, 800).b});
    EXPECT_GE(filledSky.size(), 2u);

    wireframe = 1;
    lookFrom(0.0f, 1.0f, 0.0f, 1.0f, 1.0f);
    drawSeaAndSky();
    glReadBuffer(GL_BACK);
    std::vector<unsigned char> frame(1200 * 1200 * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 1200, 1200, GL_RGB, GL_UNSIGNED_BYTE, frame.data());
    std::set<std::tuple<int, int, int>> skyLines;
    int black = 0, seaLines = 0;
    for (int y = 0; y < 1200; y += 3)
        for (int x = 0; x < 1200; x += 3) {
            const unsigned char* p = &frame[((size_t)y * 1200 + x) * 3];
            if (p[0] + p[1] + p[2] == 0) {
                black++;
                continue;
            }
            if (y > 620)
                skyLines.insert({p[0], p[1], p[2]});
            else if (y < 400)
                seaLines += near(Pixel{p[0], p[1], p[2]}, kGreen, 8) ? 1 : -1000;
        }
    EXPECT_GT(black, 1000);    // the gaps between the lines show the clear colour
    EXPECT_GT(seaLines, 10);   // every sea line takes the sea texture's colour
    EXPECT_EQ(skyLines.size(), 1u);
}

TEST(SeaSkyPixels, ATextureWithoutAnImageDrawsPlainWhiteSurfaces)
{
    prepareFirstFrame();
    fogOn = 0;
    DecodedImage image = {};
    testing::internal::CaptureStdout();
    loadTextureFile("/nonexistent/sea02.jpg", &seaTexture, &image);
    loadTextureFile("/nonexistent/sky08.jpg", &skyTexture, &image);
    testing::internal::GetCapturedStdout();
    lookFrom(0.0f, 1.0f, 0.0f, 0.0f, 1.0f);
    drawSeaAndSky();
    EXPECT_TRUE(looksLike(readPixel(600, 150), Pixel{255, 255, 255}, 0));
    EXPECT_TRUE(looksLike(readPixel(600, 750), Pixel{255, 255, 255}, 0));
    EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
}

// aircraft_draw_test.cpp -- the aircraft body and propellers in a real context: placement, materials, pixels
#include "aircraft/body_draw.h"
#include "aircraft/mesh_draw.h"
#include "aircraft/mesh_model.h"
#include "aircraft/propeller_draw.h"
#include "flight/flight.h"
#include "support/gl_helpers.h"
#include "support/mesh_reference.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>

using Rgba = std::array<float, 4>;

static void expectMatrixNear(const std::array<float, 16>& actual, const std::array<float, 16>& expected)
{
    for (int i = 0; i < 16; i++)
        EXPECT_NEAR(actual[(size_t)i], expected[(size_t)i], 2e-4f) << "element " << i;
}

static void loadGeneratedModels()
{
    clearMeshTables(meshTables(aircraftModel));
    clearMeshTables(meshTables(propellerModel));
    FILE* body = fopen(BRINEWINGS_DATA_DIR "/cessna.txt", "r");
    ASSERT_NE(body, nullptr);
    loadAircraftModel(body);
    fclose(body);
    FILE* propeller = fopen(BRINEWINGS_DATA_DIR "/propeller.txt", "r");
    ASSERT_NE(propeller, nullptr);
    readMeshStream(propeller, meshTables(propellerModel));
    fclose(propeller);
}

// ---- placement ----

TEST(AircraftPlacement, TranslatesAheadAndBelowTheEyeThenYawsAndBanksBySteer)
{
    // Eye (2, 3, -4): the model 1.4 ahead and 0.5 below, yawed 90 degrees plus the heading,
    // banked -30 degrees at full right steer. Column-major, worked out by hand.
    struct Case { float heading; float steer; std::array<float, 16> matrix; };
    const Case cases[] = {
        {0.0f, 0.0f, {0, 0, -1, 0, 0, 1, 0, 0, 1, 0, 0, 0, 2, 2.5f, -2.6f, 1}},
        {0.0f, 1.0f, {0, 0, -1, 0, -0.5f, 0.8660f, 0, 0, 0.8660f, 0.5f, 0, 0, 2, 2.5f, -2.6f, 1}},
        {0.0f, -1.0f, {0, 0, -1, 0, 0.5f, 0.8660f, 0, 0, 0.8660f, -0.5f, 0, 0, 2, 2.5f, -2.6f, 1}},
        {0.7f, 0.25f, {-0.6442f, 0, -0.7648f, 0, -0.0998f, 0.9914f, 0.0841f, 0,
                       0.7583f, 0.1305f, -0.6387f, 0, 2.9019f, 2.5f, -2.9292f, 1}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "heading " << c.heading << " steer " << c.steer);
        prepareFirstFrame();
        eye = {2.0f, 3.0f, -4.0f};
        heading = c.heading;
        steer = c.steer;
        applyAircraftPlacement();
        expectMatrixNear(currentMatrix(GL_MODELVIEW_MATRIX), c.matrix);
    }
}

TEST(AircraftPlacement, AtHeadingZeroTheNosePointsAlongTheFlightAndTheModelSitsAtTheOffset)
{
    prepareFirstFrame();
    applyAircraftPlacement();
    auto m = currentMatrix(GL_MODELVIEW_MATRIX);
    EXPECT_NEAR(m[12], eye.x, 1e-6f);
    EXPECT_NEAR(m[13], eye.y - 0.5f, 1e-6f);
    EXPECT_NEAR(m[14], eye.z + 1.4f, 1e-6f);
    // Model -x (first column negated) is the flight direction +z; model +y stays up.
    EXPECT_NEAR(-m[2], 1.0f, 1e-5f);
    EXPECT_NEAR(m[5], 1.0f, 1e-5f);
}

// ---- state left behind ----

class AircraftState : public testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        prepareFirstFrame();
        loadGeneratedModels();
        wireframe = GetParam();
        gluLookAt(0.0, 1.0, 0.0, 0.0, 1.0, 1.0, 0.0, 1.0, 0.0);
    }
};

TEST_P(AircraftState, BodyLeavesPaleBlueAmbientSpecularYellowDiffuseShininessZeroAndTheStack)
{
    auto before = currentMatrix(GL_MODELVIEW_MATRIX);
    int depth = modelviewDepth();
    drawAircraftBody();
    EXPECT_EQ(frontMaterial(GL_AMBIENT), (Rgba{0.7f, 0.7f, 0.9f, 1.0f}));
    EXPECT_EQ(frontMaterial(GL_SPECULAR), (Rgba{1.0f, 0.8f, 0.3f, 0.4f}));
    EXPECT_EQ(frontMaterial(GL_DIFFUSE), (Rgba{1.0f, 1.0f, 0.0f, 1.0f}));
    EXPECT_EQ(frontShininess(), 0.0f);
    EXPECT_EQ(currentMatrix(GL_MODELVIEW_MATRIX), before);
    EXPECT_EQ(modelviewDepth(), depth);
    EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
}

TEST_P(AircraftState, PropellersLeaveBlackSpecularRedDiffuseShininessZeroTheAmbientAndTheStack)
{
    drawAircraftBody();
    const float ambient[4] = {0.1f, 0.2f, 0.3f, 1.0f};
    glMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
    glMaterialf(GL_FRONT, GL_SHININESS, 50.0f);
    auto before = currentMatrix(GL_MODELVIEW_MATRIX);
    int depth = modelviewDepth();
    drawPropellers();
    EXPECT_EQ(frontMaterial(GL_AMBIENT), (Rgba{0.1f, 0.2f, 0.3f, 1.0f}));
    EXPECT_EQ(frontMaterial(GL_SPECULAR), (Rgba{0.0f, 0.0f, 0.0f, 1.0f}));
    EXPECT_EQ(frontMaterial(GL_DIFFUSE), (Rgba{1.0f, 0.0f, 0.0f, 1.0f}));
    EXPECT_EQ(frontShininess(), 0.0f);
    EXPECT_EQ(currentMatrix(GL_MODELVIEW_MATRIX), before);
    EXPECT_EQ(modelviewDepth(), depth);
    EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
}

INSTANTIATE_TEST_SUITE_P(FilledAndWireframe, AircraftState, testing::Values(0, 1));

// ---- propeller spin ----

TEST(PropellerSpin, OppositeAnglesFromPropTimeAndSpeedAboutTheHubAxis)
{
    prepareFirstFrame();
    EXPECT_EQ(propellerSpinAngle(0), 0.0f);  // at start, whatever the speed
    propTime = 0.5f;
    speed = 0.1f;
    EXPECT_FLOAT_EQ(propellerSpinAngle(0), -5000.0f);
    EXPECT_FLOAT_EQ(propellerSpinAngle(1), 5000.0f);
    speed = 0.3f;
    EXPECT_FLOAT_EQ(propellerSpinAngle(1), 15000.0f);

    speed = 0.1f;
    for (int propeller = 0; propeller < 2; propeller++) {
        SCOPED_TRACE(propeller);
        glLoadIdentity();
        applyPropellerPlacement(propeller);
        auto placed = currentMatrix(GL_MODELVIEW_MATRIX);
        glLoadIdentity();
        applyAircraftPlacement();
        if (propeller == 1)
            glTranslatef(0.0f, 0.0f, -0.421f);
        glScalef(0.6f, 0.6f, 0.6f);
        glTranslatef(0.0f, -0.15f, 0.35f);
        glRotatef(propeller == 0 ? -5000.0f : 5000.0f, 1.0f, 0.0f, 0.0f);
        glTranslatef(0.0f, 0.15f, -0.35f);
        expectMatrixNear(placed, currentMatrix(GL_MODELVIEW_MATRIX));
    }
}

TEST(PropellerSpin, AtHeadingZeroTheSecondAxisLies0421TowardWorldMinusX)
{
    prepareFirstFrame();
    float hub[2][3];
    for (int propeller = 0; propeller < 2; propeller++) {
        glLoadIdentity();
        applyPropellerPlacement(propeller);
        glTranslatef(0.0f, -0.15f, 0.35f);  // the pivot, in model units
        auto m = currentMatrix(GL_MODELVIEW_MATRIX);
        hub[propeller][0] = m[12];
        hub[propeller][1] = m[13];
        hub[propeller][2] = m[14];
    }
    EXPECT_NEAR(hub[1][0] - hub[0][0], -0.421f, 1e-5f);
    EXPECT_NEAR(hub[1][1] - hub[0][1], 0.0f, 1e-6f);
    EXPECT_NEAR(hub[1][2] - hub[0][2], 0.0f, 1e-6f);
}

// ---- pixels ----

// A cleared frame with the flight's camera and the sun.
static void beginAircraftFrame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    gluLookAt((double)eye.x, (double)eye.y, (double)eye.z, (double)lookAt.x, (double)lookAt.y, (double)lookAt.z,
              0.0, 1.0, 0.0);
    const float sunPos[4] = {0.3f, 1.0f, -1.0f, 0.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, sunPos);
}

static void drawAircraftFrame()
{
    beginAircraftFrame();
    drawAircraftBody();
    drawPropellers();
    glFinish();
}

struct ColourCount {
    int yellowBelow = 0, yellowAbove = 0, blue = 0, red = 0, lit = 0;
};

static ColourCount countColours()
{
    static unsigned char rgb[1200 * 1200 * 3];
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 1200, 1200, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    ColourCount count;
    for (int y = 0; y < 1200; y++)
        for (int x = 0; x < 1200; x++) {
            const unsigned char* p = rgb + ((size_t)y * 1200 + (size_t)x) * 3;
            bool yellowish = p[0] > 120 && p[1] > 120 && p[2] < p[0] / 2;
            if (yellowish && y < 600)
                count.yellowBelow++;   // rows from the bottom: below the centre of the view
            if (yellowish && y >= 600)
                count.yellowAbove++;
            count.blue += p[2] > 120 && p[0] < p[2] / 2 && p[1] < p[2] / 2;
            count.red += p[0] > 120 && p[1] < p[0] / 3 && p[2] < p[0] / 2;
            count.lit += p[0] + p[1] + p[2] > 0;
        }
    return count;
}

TEST(AircraftPixels, TheAircraftShowsInItsColoursBelowTheCentreInBothModes)
{
    prepareFirstFrame();
    loadGeneratedModels();
    propTime = 0.013f;
    drawAircraftFrame();
    ColourCount filled = countColours();
    EXPECT_GT(filled.yellowBelow, 20000);  // body, wings and blades
    EXPECT_EQ(filled.yellowAbove, 0);
    EXPECT_GT(filled.blue, 500);           // wing tips and fin
    EXPECT_GT(filled.red, 0);              // the spinners, seen past the nacelles
    EXPECT_EQ(readPixel(600, 1100).r + readPixel(600, 1100).g + readPixel(600, 1100).b, 0);

    wireframe = 1;
    drawAircraftFrame();
    ColourCount outline = countColours();
    EXPECT_GT(outline.yellowBelow, 2000);
    EXPECT_LT(outline.lit, filled.lit / 2);
}

TEST(AircraftPixels, AnEmptyModelDrawsNothingButStillSetsTheMaterials)
{
    prepareFirstFrame();
    clearMeshTables(meshTables(aircraftModel));
    clearMeshTables(meshTables(propellerModel));
    drawAircraftFrame();
    EXPECT_EQ(countColours().lit, 0);
    EXPECT_EQ(frontMaterial(GL_DIFFUSE), (Rgba{1.0f, 0.0f, 0.0f, 1.0f}));
    EXPECT_EQ(frontShininess(), 0.0f);
}

TEST(AircraftPixels, SkippingEmptyFacesLeavesThePictureTheSame)
{
    prepareFirstFrame();
    loadGeneratedModels();
    static unsigned char skipped[1200 * 1200 * 3], kept[1200 * 1200 * 3];
    MeshTables tables = meshTables(aircraftModel);
    for (int pass = 0; pass < 2; pass++) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        gluLookAt(0.0, 1.0, 2.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
        for (int g = 0; g < kAircraftGroups; g++) {
            if (pass == 0)
                drawMeshGroup(tables, g, kAircraftFacesPerGroup, 0);
            else
                drawMeshGroupWithEmptyFaces(tables, g, kAircraftFacesPerGroup, 0);
        }
        glFinish();
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, 1200, 1200, GL_RGB, GL_UNSIGNED_BYTE, pass == 0 ? skipped : kept);
    }
    EXPECT_EQ(memcmp(skipped, kept, sizeof kept), 0);
}

// Corner c of group g's square: one square a group, 0.4 model units a side, six to a row in the
// model's x = 0 plane, facing the camera at heading 0 (normal +x).
static void groupSquareCorner(int g, int c, float* y, float* z)
{
    *z = -1.5f + 0.5f * (float)(g % 6) + (c == 1 || c == 2 ? 0.4f : 0.0f);
    *y = -1.0f + 0.5f * (float)(g / 6) + (c >= 2 ? 0.4f : 0.0f);
}

TEST(AircraftPixels, EachOfThe33GroupsOfAModelThatFillsThemAllShowsItsOwnColour)
{
    // Y yellow, K black, P purple, B blue: each square's centre is as the same square drawn here in
    // its group's colour, under the body's placement, scale and material.
    const char kColours[] = "YYYYKKPBYYYYYYBBBBBBBBBBBBYYYYYYY";
    const std::map<char, Rgba> kDiffuse = {
        {'Y', {1, 1, 0, 1}}, {'K', {0, 0, 0, 1}}, {'P', {0.8f, 0.4f, 0.8f, 1}}, {'B', {0, 0, 1, 1}}};
    prepareFirstFrame();
    lookAt = {eye.x, eye.y, eye.z + 1.0f};  // along the heading, at the squares
    clearMeshTables(meshTables(aircraftModel));
    clearMeshTables(meshTables(propellerModel));
    std::string model;
    char line[64];
    float y = 0.0f, z = 0.0f;
    for (int g = 0; g < 33; g++) {
        for (int c = 0; c < 4; c++) {
            groupSquareCorner(g, c, &y, &z);
            snprintf(line, sizeof line, "v 0 %.2f %.2f\nn 1 0 0\n", (double)y, (double)z);
            model += line;
        }
        snprintf(line, sizeof line, "g\nf %d %d %d %d\n", 4 * g + 1, 4 * g + 2, 4 * g + 3, 4 * g + 4);
        model += line;
    }
    FILE* stream = fmemopen(model.data(), model.size(), "r");
    loadAircraftModel(stream);
    fclose(stream);
    Pixel seen[2][33];
    drawAircraftFrame();
    for (int pass = 0; pass < 2; pass++) {
        for (int g = 0; g < 33; g++) {
            // 1.4 ahead and 0.5 below the eye, 0.6 a model unit, 600 pixels to 1.4 units; +x left.
            groupSquareCorner(g, 0, &y, &z);
            seen[pass][g] = readPixel((int)(600.0 - 600.0 * 0.6 * (z + 0.2f) / 1.4),
                                      (int)(600.0 + 600.0 * (0.6 * (y + 0.2f) - 0.5) / 1.4));
        }
        beginAircraftFrame();
        glPushMatrix();
            applyAircraftPlacement();
            glScalef(0.6f, 0.6f, 0.6f);
            const float ambient[4] = {0.7f, 0.7f, 0.9f, 1.0f}, specular[4] = {1.0f, 0.8f, 0.3f, 0.4f};
            glMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
            glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
            glMaterialf(GL_FRONT, GL_SHININESS, 7.0f);
            for (int g = 0; g < 33; g++) {
                glMaterialfv(GL_FRONT, GL_DIFFUSE, kDiffuse.at(kColours[g]).data());
                glBegin(GL_POLYGON);
                    for (int c = 0; c < 4; c++) {
                        groupSquareCorner(g, c, &y, &z);
                        glNormal3f(1.0f, 0.0f, 0.0f);
                        glVertex3f(0.0f, y, z);
                    }
                glEnd();
            }
        glPopMatrix();
        glFinish();
    }
    for (int g = 0; g < 33; g++) {
        const Pixel &got = seen[0][g], &want = seen[1][g];
        EXPECT_TRUE(want.r + want.g + want.b > 0 && got.r == want.r && got.g == want.g && got.b == want.b)
            << "group " << g << ": (" << got.r << ", " << got.g << ", " << got.b << "), want (" << want.r << ", "
            << want.g << ", " << want.b << ")";
    }
}

// A square in front of the camera at heading 0, as face `face` of group 0 of a store.
template <typename Model>
static void putSquare(Model& model, int face, int fourthIndex)
{
    const Vec3 corners[4] = {{0, -1, -1}, {0, 1, -1}, {0, 1, 1}, {0, -1, 1}};
    for (int i = 0; i < 4; i++) {
        model.vertices[i] = corners[i];
        model.normals[i] = {-1, 0, 0};
    }
    int* slots = model.faces[0][face];
    slots[0] = 1;
    slots[1] = 2;
    slots[2] = 3;
    slots[3] = fourthIndex;
}

TEST(AircraftPixels, PropellersDrawOnlyTheFirst133FacesOfAGroup)
{
    prepareFirstFrame();
    clearMeshTables(meshTables(aircraftModel));
    clearMeshTables(meshTables(propellerModel));
    putSquare(propellerModel, 133, 4);
    drawAircraftFrame();
    EXPECT_EQ(countColours().lit, 0);
    putSquare(propellerModel, 132, 4);
    drawAircraftFrame();
    EXPECT_GT(countColours().lit, 1000);
}

TEST(AircraftPixels, IndicesBeyondTheTablesEndTheFaceWhenDrawn)
{
    prepareFirstFrame();
    clearMeshTables(meshTables(propellerModel));
    for (int bad : {kMeshNormalSlots + 1, 100000, INT_MAX}) {
        SCOPED_TRACE(bad);
        clearMeshTables(meshTables(aircraftModel));
        putSquare(aircraftModel, 0, bad);  // written straight into the store, past any loader check
        aircraftModel.faces[0][1][0] = bad;
        aircraftModel.faces[0][1][1] = 1;
        drawAircraftFrame();
        EXPECT_GT(countColours().lit, 1000);  // the triangle 1 2 3 still shows
        EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
    }
}

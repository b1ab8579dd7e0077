// mountain_weld_test.cpp -- the weld and the normals, and the whole build against a quadratic reference search
#include "common/random.h"
#include "mountains/mountains.h"
#include "support/mountain_oracle.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>
#include <random>
#include <utility>

static bool sameBits(const void* a, const void* b, size_t size) { return memcmp(a, b, size) == 0; }

class MountainWeld : public testing::Test {
protected:
    void SetUp() override
    {
        setMountainRandomSource(nullptr);
        seedRandom(2);
        generateMountains();
    }
};

TEST_F(MountainWeld, EveryCopyOfAPositionTakesTheLowestIndexCopysHeight)
{
    for (int slot = 0; slot < kMountainSlots; slot++) {
        const Vec3* v = mountainSlots[slot].vertices;
        std::map<std::pair<float, float>, int> firstAt;
        for (int i = 0; i < kMountainEntries; i++) {
            auto found = firstAt.emplace(std::make_pair(v[i].x, v[i].z), i).first;
            ASSERT_EQ(v[i].y, v[found->second].y) << "slot " << slot << " entry " << i;
        }
        EXPECT_EQ(firstAt.size(), (size_t)(33 * 33 + 1024));  // grid corners and cell centres
        for (int i = 0; i < 9; i++) {  // the seed points: rim at 0, apex (entry 8) at 1
            EXPECT_EQ(v[i].y, i == 8 ? 1.0f : 0.0f);
            EXPECT_EQ(firstAt[std::make_pair(v[i].x, v[i].z)], i);
        }
    }
}

TEST_F(MountainWeld, NeighbouringQuadsMeetWithoutSeams)
{
    // Every corner of every quad must hold the same height as the same corner seen from any
    // other quad: with one height per position the surface has no gaps.
    const MountainSlot& m = mountainSlots[1];
    std::map<std::pair<float, float>, float> heightAt;
    int shared = 0;
    for (int k = 0; k < 1024; k++)
        for (int c = 0; c < 4; c++) {
            const Vec3& v = m.vertices[m.quads[k].corner[c]];
            auto placed = heightAt.emplace(std::make_pair(v.x, v.z), v.y);
            if (!placed.second) {
                shared++;
                ASSERT_EQ(placed.first->second, v.y) << "quad " << k << " corner " << c;
            }
        }
    EXPECT_EQ(heightAt.size(), (size_t)(33 * 33));
    EXPECT_EQ(shared, 4 * 1024 - 33 * 33);
}

TEST(MountainWeldRule, MatchesTheQuadraticReferenceSearchOnAwkwardTables)
{
    // Few positions, many repeats, signed zeros and NaNs: the fast weld must agree bit for bit
    // with the search from entry 0.
    static MountainSlot expected;
    std::mt19937 pick(12345);
    const float coordinates[] = {0.0f, -0.0f, 1.0f, -1.0f, 0.5f, 1e-30f, NAN, 3.25f};
    for (int round = 0; round < 4; round++) {
        clearMountain(0);
        MountainSlot& m = mountainSlots[0];
        for (int i = 0; i < kMountainEntries; i++) {
            m.vertices[i].x = coordinates[pick() % 8];
            m.vertices[i].z = coordinates[pick() % 8];
            m.vertices[i].y = (float)(pick() % 1000) / 7.0f;
        }
        memcpy(&expected, &m, sizeof(MountainSlot));
        weldMountain(0);
        referenceWeldMountain(expected);
        ASSERT_TRUE(sameBits(m.vertices, expected.vertices, sizeof(m.vertices))) << "round " << round;
        EXPECT_EQ(m.vertices[0].y, expected.vertices[0].y);
    }
    clearMountain(0);
}

TEST(MountainWeldRule, ASlotOfEqualHeightsIsUnchanged)
{
    static MountainSlot before;
    clearMountain(2);
    MountainSlot& m = mountainSlots[2];
    for (int i = 0; i < kMountainEntries; i++)
        m.vertices[i] = Vec3{(float)(i % 41) / 20.0f - 1.0f, 0.25f, (float)(i % 37) / 18.0f - 1.0f};
    memcpy(&before, &m, sizeof(MountainSlot));
    weldMountain(2);
    EXPECT_TRUE(sameBits(&before, &m, sizeof(MountainSlot)));
    clearMountain(2);
}

TEST_F(MountainWeld, UsedQuadNormalsPointUpByOneOver256AndFreeOnesAreZero)
{
    for (int slot = 0; slot < kMountainSlots; slot++) {
        computeMountainNormals(slot);
        const MountainSlot& m = mountainSlots[slot];
        int tilted = 0;
        for (int k = 0; k < kMountainEntries; k++) {
            const Vec3& n = m.normals[k];
            if (k < 1024) {
                ASSERT_EQ(n.y, 0.00390625f) << "quad " << k;
                tilted += n.x != 0.0f || n.z != 0.0f ? 1 : 0;
            } else {
                ASSERT_TRUE(n.x == 0.0f && n.y == 0.0f && n.z == 0.0f) << "quad " << k;
            }
        }
        EXPECT_GT(tilted, 900);  // the weld leaves a rough surface, almost no quad is level
    }
}

TEST(MountainNormals, LevelAndSlopedQuadsWorkedByHand)
{
    clearMountain(0);
    MountainSlot& m = mountainSlots[0];
    const float side = 0.0625f;
    // A level quad, then one rising by one side length along +x.
    m.vertices[9] = {0.0f, 0.5f, side};
    m.vertices[10] = {side, 0.5f, side};
    m.vertices[11] = {side, 0.5f, 0.0f};
    m.vertices[12] = {0.0f, 0.5f, 0.0f};
    m.vertices[13] = {0.0f, 0.0f, side};
    m.vertices[14] = {side, side, side};
    m.vertices[15] = {side, side, 0.0f};
    m.vertices[16] = {0.0f, 0.0f, 0.0f};
    m.quads[0] = {{9, 10, 11, 12}};
    m.quads[1] = {{13, 14, 15, 16}};
    m.quads[2] = {{13, 14, 20600, -1}};  // corrupt indices: no normal, no read outside the table
    computeMountainNormals(0);
    // A = (1/16, 0, 0), B = (1/16, 0, -1/16): A x B = (0, 1/256, 0).
    EXPECT_TRUE(m.normals[0].x == 0.0f && m.normals[0].y == 0.00390625f && m.normals[0].z == 0.0f);
    // A = (1/16, 1/16, 0), B = (1/16, 1/16, -1/16): A x B = (-1/256, 1/256, 0), tilted away from +x.
    EXPECT_TRUE(m.normals[1].x == -0.00390625f && m.normals[1].y == 0.00390625f && m.normals[1].z == 0.0f);
    EXPECT_TRUE(m.normals[2].x == 0.0f && m.normals[2].y == 0.0f && m.normals[2].z == 0.0f);
    clearMountain(0);
}

// The whole build of the three mountains, against the quadratic reference search.
TEST(MountainOracle, AllThreeSlotsAreBitIdenticalToTheQuadraticReferenceSearch)
{
    static MountainSlot reference[kMountainSlots];
    for (unsigned int seed : {2u, 7u}) {
        memset(reference, 0, sizeof(reference));
        setMountainRandomSource(nullptr);
        seedRandom(seed);
        buildMountains();
        int nextAfterBuild = nextRandom();  // shows how far the build advanced the generator
        seedRandom(seed);
        referenceGenerateMountains(reference);
        EXPECT_EQ(nextRandom(), nextAfterBuild) << "both builds make the same number of draws";
        for (int slot = 0; slot < kMountainSlots; slot++) {
            referenceMountainNormals(reference[slot]);
            const MountainSlot& m = mountainSlots[slot];
            for (int i = 0; i < kMountainEntries; i++) {
                ASSERT_TRUE(sameBits(&m.vertices[i], &reference[slot].vertices[i], sizeof(Vec3)))
                    << "seed " << seed << " slot " << slot << " vertex " << i;
                ASSERT_TRUE(sameBits(&m.quads[i], &reference[slot].quads[i], sizeof(MountainQuad)))
                    << "seed " << seed << " slot " << slot << " quad " << i;
                ASSERT_TRUE(sameBits(&m.normals[i], &reference[slot].normals[i], sizeof(Vec3)))
                    << "seed " << seed << " slot " << slot << " normal " << i;
            }
        }
    }
}

TEST(MountainOracle, TheBuildMakes20470Draws)
{
    seedRandom(2);
    for (int n = 0; n < 20470; n++)
        nextRandom();
    int after = nextRandom();
    setMountainRandomSource(nullptr);
    seedRandom(2);
    generateMountains();
    EXPECT_EQ(nextRandom(), after);
}

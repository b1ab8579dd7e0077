// mountain_generation_test.cpp -- the random generator and the structure of the generated mountains
#include "common/random.h"
#include "mountains/mountains.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <set>
#include <string>
#include <utility>

// ---- the generator ----

TEST(RandomGenerator, FirstValuesFromSeedTwoMatchTheFormulaWorkedByHand)
{
    // next = 2 * 1103515245 + 12345 = 2207042835; 2207042835 / 65536 = 33676; 33676 % 32768 = 908;
    // and so on for each further step, modulo 2^32.
    const int expected[] = {908, 22817, 10239, 12914, 25837, 27095, 29976, 27865, 20302, 32531, 26005};
    seedRandom(2);
    for (int value : expected)
        EXPECT_EQ(nextRandom(), value);
    seedRandom(2);  // seeding again restarts the sequence
    EXPECT_EQ(nextRandom(), 908);
}

TEST(RandomGenerator, ValuesCoverExactlyZeroTo32767)
{
    seedRandom(2);
    int lowest = kRandomMax;
    int highest = 0;
    for (int n = 0; n < (1 << 20); n++) {
        int v = nextRandom();
        lowest = std::min(lowest, v);
        highest = std::max(highest, v);
    }
    EXPECT_EQ(lowest, 0);
    EXPECT_EQ(highest, 32767);
}

static int alwaysZero() { return 0; }
static int alwaysTop() { return 32767; }
static int alwaysHalf() { return 16384; }

TEST(RandomGenerator, RandomUpToScalesOneDrawToZeroThroughX)
{
    setMountainRandomSource(alwaysZero);
    EXPECT_EQ(randomUpTo(0.8), 0.0);
    setMountainRandomSource(alwaysTop);
    EXPECT_EQ(randomUpTo(0.8), 0.8);
    EXPECT_EQ(randomUpTo(0.05), 0.05);
    setMountainRandomSource(alwaysHalf);
    // the quotient is rounded to float before it is widened
    EXPECT_EQ(randomUpTo(1.0), (double)0.50001526f);
    EXPECT_NE(randomUpTo(1.0), 16384.0 / 32767.0);
    setMountainRandomSource(nullptr);
    seedRandom(2);
    EXPECT_EQ(randomUpTo(2.0), (double)(908.0f / 32767.0f) * 2.0);
}

// ---- generation ----

static const int kUsedVertices = 6829;
static const int kUsedQuads = 1024;
// The seed pyramid: the rim at height 0 around the apex (0, 1, 0).
static const Vec3 kSeed[9] = {{-1, 0, 1}, {0, 0, 1}, {1, 0, 1}, {1, 0, 0}, {1, 0, -1},
                              {0, 0, -1}, {-1, 0, -1}, {-1, 0, 0}, {0, 1, 0}};

// The subdivisions of generateMountains for one slot, without the weld that ends it, from
// seed 2 with its leading discarded draw, so the raw copies can be inspected.
static void subdivideSlotZeroUnwelded()
{
    seedRandom(2);
    clearMountain(0);
    memcpy(mountainSlots[0].vertices, initialMtn, sizeof(initialMtn));
    const int seedQuads[4][4] = {{0, 1, 8, 7}, {1, 2, 3, 8}, {8, 3, 4, 5}, {7, 8, 5, 6}};
    for (const auto& c : seedQuads) {
        randomUpTo(0.8);
        subdivideQuad(initialMtn[c[0]], initialMtn[c[1]], initialMtn[c[2]], initialMtn[c[3]], 0.8, 5, 0);
    }
}

static bool isFree(const Vec3& v) { return v.x == 0.0f && v.y == 0.0f && v.z == 0.0f; }
static bool isFree(const MountainQuad& q)
{
    return q.corner[0] == 0 && q.corner[1] == 0 && q.corner[2] == 0 && q.corner[3] == 0;
}
static bool sameBits(const Vec3& a, const Vec3& b) { return memcmp(&a, &b, sizeof(Vec3)) == 0; }

class MountainGeneration : public testing::Test {
protected:
    void SetUp() override
    {
        setMountainRandomSource(nullptr);
        seedRandom(2);
        generateMountains();
    }
    void TearDown() override { setMountainRandomSource(nullptr); }
};

TEST_F(MountainGeneration, FillsEachTableFromTheFrontToTheExpectedCounts)
{
    subdivideSlotZeroUnwelded();
    const MountainSlot& raw = mountainSlots[0];
    for (int i = 0; i < kUsedVertices; i++)
        ASSERT_FALSE(isFree(raw.vertices[i])) << "vertex " << i;
    for (int i = kUsedVertices; i < kMountainEntries; i++)
        ASSERT_TRUE(isFree(raw.vertices[i])) << "vertex " << i;
    for (int k = 0; k < kMountainEntries; k++)
        ASSERT_EQ(isFree(raw.quads[k]), k >= kUsedQuads) << "quad " << k;

    // After the weld the free vertex entries all sit on the apex's position and height.
    seedRandom(2);
    generateMountains();
    for (int slot = 0; slot < kMountainSlots; slot++) {
        const MountainSlot& m = mountainSlots[slot];
        for (int i = kUsedVertices; i < kMountainEntries; i++) {
            ASSERT_EQ(m.vertices[i].x, 0.0f);
            ASSERT_EQ(m.vertices[i].y, 1.0f);
            ASSERT_EQ(m.vertices[i].z, 0.0f);
        }
        EXPECT_FALSE(isFree(m.quads[kUsedQuads - 1]));
        EXPECT_TRUE(isFree(m.quads[kUsedQuads]));
    }
}

TEST_F(MountainGeneration, FirstAndLastQuadsAndTheFirstCorners)
{
    for (int slot = 0; slot < kMountainSlots; slot++) {
        const MountainSlot& m = mountainSlots[slot];
        const int* first = m.quads[0].corner;
        EXPECT_EQ((std::array<int, 4>{first[0], first[1], first[2], first[3]}), (std::array<int, 4>{29, 30, 31, 32}));
        const int* second = m.quads[1].corner;
        EXPECT_EQ(second[0], 34);
        const int* last = m.quads[kUsedQuads - 1].corner;
        EXPECT_EQ((std::array<int, 4>{last[0], last[1], last[2], last[3]}),
                  (std::array<int, 4>{6824, 6825, 6826, 6827}));
        const float corners[4][2] = {{-1.0f, 1.0f}, {-0.9375f, 1.0f}, {-0.9375f, 0.9375f}, {-1.0f, 0.9375f}};
        for (int c = 0; c < 4; c++) {
            EXPECT_EQ(m.vertices[first[c]].x, corners[c][0]);
            EXPECT_EQ(m.vertices[first[c]].z, corners[c][1]);
        }
        EXPECT_TRUE(sameBits(m.vertices[29], kSeed[0]));
    }
}

// Every quad: four consecutive entries, corners in the order (min x, max z), (max x, max z),
// (max x, min z), (min x, min z), side 1/16, followed by its centre at odd multiples of 1/32;
// together the quads tile the 32 x 32 grid once.
TEST_F(MountainGeneration, QuadsTileTheGridInCornerOrderWithCentresBehindThem)
{
    for (int slot = 0; slot < kMountainSlots; slot++) {
        const MountainSlot& m = mountainSlots[slot];
        std::set<std::pair<float, float>> cells;
        for (int k = 0; k < kUsedQuads; k++) {
            const int* c = m.quads[k].corner;
            int i = c[0];
            ASSERT_TRUE(c[1] == i + 1 && c[2] == i + 2 && c[3] == i + 3) << "quad " << k;
            ASSERT_LE(i + 4, kUsedVertices - 1);
            const Vec3* v = &m.vertices[i];
            const float side = 0.0625f;
            ASSERT_EQ(v[1].x - v[0].x, side) << "quad " << k;
            ASSERT_EQ(v[2].x, v[1].x);
            ASSERT_EQ(v[3].x, v[0].x);
            ASSERT_EQ(v[1].z, v[0].z);
            ASSERT_EQ(v[0].z - v[3].z, side) << "quad " << k;
            ASSERT_EQ(v[2].z, v[3].z);
            const Vec3& centre = v[4];
            ASSERT_EQ(centre.x, v[0].x + side / 2.0f);
            ASSERT_EQ(centre.z, v[3].z + side / 2.0f);
            float cx = centre.x * 32.0f;
            float cz = centre.z * 32.0f;
            ASSERT_EQ(std::fmod(std::fabs(cx), 2.0f), 1.0f) << "centre x " << centre.x;
            ASSERT_EQ(std::fmod(std::fabs(cz), 2.0f), 1.0f) << "centre z " << centre.z;
            cells.insert({v[0].x, v[0].z});
            ASSERT_GE(v[0].x, -1.0f);
            ASSERT_LE(v[1].x, 1.0f);
            ASSERT_GE(v[3].z, -1.0f);
            ASSERT_LE(v[0].z, 1.0f);
        }
        EXPECT_EQ(cells.size(), (size_t)kUsedQuads);
    }
}

TEST_F(MountainGeneration, SeedKeptPositionsSharedHeightsDifferAndRunsRepeat)
{
    for (int slot = 0; slot < kMountainSlots; slot++)
        for (int i = 0; i < 9; i++)
            EXPECT_TRUE(sameBits(mountainSlots[slot].vertices[i], kSeed[i])) << slot << ":" << i;
    EXPECT_EQ(mountainSlots[0].vertices[8].y, 1.0f);

    int heightsDiffering = 0;
    for (int i = 0; i < kMountainEntries; i++) {
        for (int slot = 1; slot < kMountainSlots; slot++) {
            ASSERT_EQ(mountainSlots[slot].vertices[i].x, mountainSlots[0].vertices[i].x);
            ASSERT_EQ(mountainSlots[slot].vertices[i].z, mountainSlots[0].vertices[i].z);
            heightsDiffering += mountainSlots[slot].vertices[i].y != mountainSlots[0].vertices[i].y ? 1 : 0;
        }
        ASSERT_GE(mountainSlots[0].vertices[i].y, 0.0f);
    }
    EXPECT_GT(heightsDiffering, 2 * 6000);  // each slot draws its own stretch of the sequence

    static MountainSlot first[kMountainSlots];
    memcpy(first, mountainSlots, sizeof(first));
    seedRandom(2);
    generateMountains();  // a second run, over the tables the first one left
    EXPECT_EQ(memcmp(first, mountainSlots, sizeof(first)), 0);
}

// ---- the random stream ----

// Checks one working call whose five entries start at `at` and, for depth 2 and above, the
// midpoints its children received: every displacement must lie in [low, high] times the
// call's amplitude. Returns the number of entries the call's subtree wrote.
static int checkCall(const MountainSlot& m, int at, int depth, double amplitude, double low, double high)
{
    const Vec3* own = &m.vertices[at];  // p, q, r, s, t
    int written = 5;
    if (depth <= 1)
        return written;
    int childAt[4];
    for (int c = 0; c < 4; c++) {
        childAt[c] = at + written;
        written += checkCall(m, at + written, depth - 1, amplitude / 2.0, low, high);
    }
    const Vec3* c0 = &m.vertices[childAt[0]];
    const Vec3* c1 = &m.vertices[childAt[1]];
    const Vec3* c2 = &m.vertices[childAt[2]];
    const Vec3* c3 = &m.vertices[childAt[3]];
    // Children get (p, m0, t, m3), (m0, q, m1, t), (t, m1, r, m2), (m3, t, m2, s).
    EXPECT_TRUE(sameBits(c0[0], own[0]) && sameBits(c0[2], own[4]) && sameBits(c1[1], own[1]) &&
                sameBits(c1[0], c0[1]) && sameBits(c2[2], own[2]) && sameBits(c3[3], own[3]) &&
                sameBits(c3[0], c0[3]) && sameBits(c2[1], c1[2]) && sameBits(c3[2], c2[3]) &&
                sameBits(c1[3], own[4]) && sameBits(c2[0], own[4]) && sameBits(c3[1], own[4]))
        << "entry " << at;
    const Vec3 displaced[4] = {c0[1], c1[2], c2[3], c0[3]};
    const Vec3* ends[4][2] = {{&own[0], &own[1]}, {&own[1], &own[2]}, {&own[2], &own[3]}, {&own[3], &own[0]}};
    for (int e = 0; e < 4; e++) {
        double plain = (double)((ends[e][0]->y + ends[e][1]->y) / 2.0f);
        double displacement = (double)displaced[e].y - plain;
        EXPECT_GE(displacement, low * amplitude - 1e-6) << "entry " << at << " edge " << e;
        EXPECT_LE(displacement, high * amplitude + 1e-6) << "entry " << at << " edge " << e;
    }
    return written;
}

static void checkAllCalls(const MountainSlot& m, double low, double high)
{
    int at = 9;
    for (int seedQuad = 0; seedQuad < 4; seedQuad++)
        at += checkCall(m, at, 5, 0.8, low, high);
    EXPECT_EQ(at, kUsedVertices);
}

TEST_F(MountainGeneration, DisplacementsStayWithinEachLevelsAmplitude)
{
    subdivideSlotZeroUnwelded();
    checkAllCalls(mountainSlots[0], 0.0, 1.0);
}

TEST_F(MountainGeneration, FullDrawsDisplaceByTheWholeAmplitudeOfEachLevel)
{
    setMountainRandomSource(alwaysTop);
    generateMountains();
    checkAllCalls(mountainSlots[0], 1.0, 1.0);
    EXPECT_FLOAT_EQ(mountainSlots[0].vertices[13].y, 1.05f);  // first centre: (0.8 + 1.3 + 1.3 + 0.8) / 4
}

TEST_F(MountainGeneration, ZeroDrawsGiveTheBilinearBlendOfTheSeedPyramid)
{
    setMountainRandomSource(alwaysZero);
    generateMountains();
    for (int slot = 0; slot < kMountainSlots; slot++)
        for (int i = 0; i < kUsedVertices; i++) {
            const Vec3& v = mountainSlots[slot].vertices[i];
            // Each seed quad has the apex at its inner corner and 0 at the other three.
            double blend = (1.0 - std::fabs((double)v.x)) * (1.0 - std::fabs((double)v.z));
            ASSERT_EQ((double)v.y, blend) << "slot " << slot << " entry " << i;
        }
}

// The generator's own loop from seed 2; the weld keeps these entries, each the first at its (x, z).
TEST_F(MountainGeneration, FirstTwoWorkingCallsFollowTheFirstDraws)
{
    const Vec3* v = mountainSlots[0].vertices;
    // Draws from seed 2, worked by hand above: d1 = 908 is discarded before the first seed quad.
    auto u = [](int d, double a) { return (double)((float)d / 32767.0f) * a; };
    float m0 = (float)(0.0 + u(22817, 0.8));
    float m1 = (float)(0.5 + u(10239, 0.8));
    float m2 = (float)(0.5 + u(12914, 0.8));
    float m3 = (float)(0.0 + u(25837, 0.8));
    // d6 = 27095 is discarded; the second call uses d7 to d10 at amplitude 0.4.
    Vec3 centre = {-0.5f, (m0 + m1 + m2 + m3) / 4.0f, 0.5f};
    const Vec3 expected[9] = {
        kSeed[0], kSeed[1], kSeed[8], kSeed[7], centre,
        kSeed[0], {-0.5f, m0, 1.0f}, centre, {-1.0f, m3, 0.5f},
    };
    for (int i = 0; i < 9; i++)
        EXPECT_TRUE(sameBits(v[9 + i], expected[i])) << "entry " << 9 + i;
    float n0 = (float)((double)((0.0f + m0) / 2.0f) + u(29976, 0.4));
    float n1 = (float)((double)((m0 + centre.y) / 2.0f) + u(27865, 0.4));
    float n2 = (float)((double)((centre.y + m3) / 2.0f) + u(20302, 0.4));
    float n3 = (float)((double)((m3 + 0.0f) / 2.0f) + u(32531, 0.4));
    EXPECT_EQ(v[18].x, -0.75f);
    EXPECT_EQ(v[18].z, 0.75f);
    EXPECT_EQ(v[18].y, (n0 + n1 + n2 + n3) / 4.0f);
    // d11 = 26005 is discarded; the third call (depth 3) starts with d12.
    EXPECT_EQ(mountainSlots[0].vertices[19].x, -1.0f);
}

// ---- full tables ----

static int usedVertices(const MountainSlot& m)
{
    int n = 0;
    while (n < kMountainEntries && !isFree(m.vertices[n]))
        n++;
    return n;
}

static bool allZero(const void* data, size_t size)
{
    const unsigned char* bytes = (const unsigned char*)data;
    for (size_t i = 0; i < size; i++)
        if (bytes[i] != 0)
            return false;
    return true;
}

TEST(MountainTables, DeeperRecursionStopsAtTheEndOfTheTable)
{
    for (int slot = 0; slot < kMountainSlots; slot++)
        clearMountain(slot);
    memcpy(mountainSlots[0].vertices, initialMtn, sizeof(initialMtn));
    seedRandom(2);
    testing::internal::CaptureStdout();
    subdivideQuad(initialMtn[0], initialMtn[1], initialMtn[8], initialMtn[7], 0.8, 7, 0);
    subdivideQuad(initialMtn[1], initialMtn[2], initialMtn[3], initialMtn[8], 0.8, 7, 0);
    std::string printed = testing::internal::GetCapturedStdout();

    const MountainSlot& m = mountainSlots[0];
    // 20600 entries a table: the 9 seed points, then as many whole calls of 5 as fit.
    ASSERT_EQ(sizeof m.vertices / sizeof m.vertices[0], 20600u);
    EXPECT_EQ(usedVertices(m), 20599);
    EXPECT_TRUE(isFree(m.vertices[20599]));
    // The tables behind the full one, where an overrun would land, are untouched.
    EXPECT_TRUE(allZero(m.normals, sizeof(m.normals)));
    EXPECT_TRUE(allZero(&mountainSlots[1], sizeof(MountainSlot)));
    EXPECT_EQ(printed, "mountain slot 0 is full: subdivision stopped\n");
}

TEST(MountainTables, ACallStoresAllOfItsEntriesOrNone)
{
    const Vec3 p = {0.0f, 0.0f, 1.0f}, q = {1.0f, 0.0f, 1.0f}, r = {1.0f, 0.0f, 0.0f}, s = {0.5f, 0.0f, 0.0f};
    const Vec3 taken = {2.0f, 2.0f, 2.0f};
    const MountainQuad takenQuad = {{1, 1, 1, 1}};
    struct Case {
        int freeVertices;
        int freeQuads;
        bool stores;
    };
    const Case cases[] = {{5, 1, true}, {6, 1, true}, {4, 1, false}, {0, 1, false}, {5, 0, false}};
    for (const Case& c : cases) {
        clearMountain(0);
        MountainSlot& m = mountainSlots[0];
        for (int i = 0; i < kMountainEntries - c.freeVertices; i++)
            m.vertices[i] = taken;
        for (int k = 0; k < kMountainEntries - c.freeQuads; k++)
            m.quads[k] = takenQuad;
        testing::internal::CaptureStdout();
        subdivideQuad(p, q, r, s, 0.1, 1, 0);
        std::string printed = testing::internal::GetCapturedStdout();
        int firstFree = kMountainEntries - c.freeVertices;
        bool stored = c.freeVertices > 0 && !isFree(m.vertices[firstFree]);
        EXPECT_EQ(stored, c.stores) << c.freeVertices << " free vertices, " << c.freeQuads << " free quads";
        EXPECT_EQ(printed.empty(), c.stores);
        if (c.stores) {
            const int* corner = m.quads[kMountainEntries - 1].corner;
            EXPECT_EQ(corner[0], firstFree);
            EXPECT_EQ(corner[3], firstFree + 3);
        } else if (c.freeVertices > 0) {
            EXPECT_TRUE(isFree(m.vertices[firstFree]));
        }
        EXPECT_TRUE(allZero(m.normals, sizeof(m.normals)));
    }
    clearMountain(0);
}

TEST(MountainTables, SlotNumbersOutsideTheTablesAreIgnored)
{
    for (int slot = 0; slot < kMountainSlots; slot++)
        clearMountain(slot);
    for (int bad : {-1, kMountainSlots, 1 << 30}) {
        subdivideQuad(initialMtn[0], initialMtn[1], initialMtn[8], initialMtn[7], 0.8, 5, bad);
        weldMountain(bad);
        computeMountainNormals(bad);
        clearMountain(bad);
    }
    for (int slot = 0; slot < kMountainSlots; slot++)
        EXPECT_TRUE(allZero(&mountainSlots[slot], sizeof(MountainSlot)));
}

// mountain_generation.cpp -- builds the three mountain slots by recursive random subdivision
#include "mountains/mountains.h"

#include "common/random.h"

#include <cstdio>
#include <cstring>

MountainSlot mountainSlots[kMountainSlots];

const Vec3 initialMtn[kMountainSeedPoints] = {
    {-1.0f, 0.0f, 1.0f}, {0.0f, 0.0f, 1.0f},  {1.0f, 0.0f, 1.0f},
    {1.0f, 0.0f, 0.0f},  {1.0f, 0.0f, -1.0f}, {0.0f, 0.0f, -1.0f},
    {-1.0f, 0.0f, -1.0f}, {-1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f},
};

// The four seed quads as indices into initialMtn, in the corner order of MountainQuad; all
// four share the apex, entry 8.
static const int kSeedQuads[4][4] = {
    {0, 1, 8, 7},   // [-1, 0] x [0, 1]
    {1, 2, 3, 8},   // [0, 1] x [0, 1]
    {8, 3, 4, 5},   // [0, 1] x [-1, 0]
    {7, 8, 5, 6},   // [-1, 0] x [-1, 0]
};

static const int kEntriesPerCall = 5;  // four corners and the centre

static RandomSource randomSource = nextRandom;

// Every entry below a slot's cursor has been found in use. Entries are never cleared during a
// generation, so the search for the first free entry can resume at the cursor instead of at
// entry 0: the same answer as a scan from the start, in linear total time.
static int vertexCursor[kMountainSlots];
static int quadCursor[kMountainSlots];
static bool overflowReported[kMountainSlots];

static bool isFreeVertex(const Vec3& v)
{
    return v.x == 0.0f && v.y == 0.0f && v.z == 0.0f;
}

// The first free vertices entry of the slot, or kMountainEntries when there is none.
static int firstFreeVertex(int slot)
{
    const MountainSlot& mountain = mountainSlots[slot];
    int i = vertexCursor[slot];
    while (i < kMountainEntries && !isFreeVertex(mountain.vertices[i]))
        i++;
    vertexCursor[slot] = i;
    return i;
}

// The first free quads entry of the slot, or kMountainEntries when there is none.
static int firstFreeQuad(int slot)
{
    const MountainSlot& mountain = mountainSlots[slot];
    int k = quadCursor[slot];
    while (k < kMountainEntries && !isFreeQuad(mountain.quads[k]))
        k++;
    quadCursor[slot] = k;
    return k;
}

static void reportOverflow(int slot)
{
    if (overflowReported[slot])
        return;
    overflowReported[slot] = true;
    printf("mountain slot %d is full: subdivision stopped\n", slot);
}

static Vec3 midpoint(const Vec3& a, const Vec3& b)
{
    return Vec3{(a.x + b.x) / 2.0f, (a.y + b.y) / 2.0f, (a.z + b.z) / 2.0f};
}

static void displaceUp(Vec3& point, double amplitude)
{
    point.y = (float)((double)point.y + randomUpTo(amplitude));
}

double randomUpTo(double x)
{
    float fraction = (float)randomSource() / (float)kRandomMax;
    return (double)fraction * x;
}

void setMountainRandomSource(RandomSource source)
{
    randomSource = source != nullptr ? source : nextRandom;
}

void clearMountain(int slot)
{
    if (slot < 0 || slot >= kMountainSlots)
        return;
    memset(&mountainSlots[slot], 0, sizeof(MountainSlot));
    vertexCursor[slot] = 0;
    quadCursor[slot] = 0;
    overflowReported[slot] = false;
}

void subdivideQuad(Vec3 p, Vec3 q, Vec3 r, Vec3 s, double amplitude, int depth, int slot)
{
    if (depth <= 0 || slot < 0 || slot >= kMountainSlots)
        return;

    Vec3 m0 = midpoint(p, q);
    Vec3 m1 = midpoint(q, r);
    Vec3 m2 = midpoint(r, s);
    Vec3 m3 = midpoint(s, p);
    displaceUp(m0, amplitude);
    displaceUp(m1, amplitude);
    displaceUp(m2, amplitude);
    displaceUp(m3, amplitude);
    randomUpTo(amplitude);  // drawn and discarded: it keeps the sequence's draw order

    Vec3 t = {(m1.x + m3.x) / 2.0f, (m0.y + m1.y + m2.y + m3.y) / 4.0f, (m0.z + m2.z) / 2.0f};

    // A call stores all of its entries or none: with no room left the subtree is dropped.
    int i = firstFreeVertex(slot);
    int k = depth == 1 ? firstFreeQuad(slot) : 0;
    if (i > kMountainEntries - kEntriesPerCall || k >= kMountainEntries) {
        reportOverflow(slot);
        return;
    }

    MountainSlot& mountain = mountainSlots[slot];
    mountain.vertices[i] = p;
    mountain.vertices[i + 1] = q;
    mountain.vertices[i + 2] = r;
    mountain.vertices[i + 3] = s;
    mountain.vertices[i + 4] = t;
    if (depth == 1)
        mountain.quads[k] = MountainQuad{{i, i + 1, i + 2, i + 3}};

    double half = amplitude / 2.0;
    subdivideQuad(p, m0, t, m3, half, depth - 1, slot);
    subdivideQuad(m0, q, m1, t, half, depth - 1, slot);
    subdivideQuad(t, m1, r, m2, half, depth - 1, slot);
    subdivideQuad(m3, t, m2, s, half, depth - 1, slot);
}

void generateMountains()
{
    for (int slot = 0; slot < kMountainSlots; slot++) {
        clearMountain(slot);
        memcpy(mountainSlots[slot].vertices, initialMtn, sizeof(initialMtn));
    }

    double amplitude = kMountainAmplitude;
    for (int slot = 0; slot < kMountainSlots; slot++) {
        for (int seedQuad = 0; seedQuad < 4; seedQuad++) {
            // One discarded draw before each seed quad, except the first of slots 1 and 2.
            if (slot == 0 || seedQuad > 0)
                randomUpTo(amplitude);
            const int* c = kSeedQuads[seedQuad];
            subdivideQuad(initialMtn[c[0]], initialMtn[c[1]], initialMtn[c[2]], initialMtn[c[3]],
                          amplitude, kMountainDepth, slot);
        }
    }

    for (int slot = 0; slot < kMountainSlots; slot++)
        weldMountain(slot);
}

void buildMountains()
{
    generateMountains();
    for (int slot = 0; slot < kMountainSlots; slot++)
        computeMountainNormals(slot);
}

// mountain_weld.cpp -- closes the seams of a generated mountain and gives each quad its normal
#include "mountains/mountains.h"

#include <cstdint>
#include <cstring>

// Open-addressed table from an (x, z) position to the lowest-index entry found there so far.
// Twice the slot's capacity rounded up to a power of two, so it can never fill.
static const int kWeldBuckets = 65536;
static uint32_t bucketX[kWeldBuckets];
static uint32_t bucketZ[kWeldBuckets];
static int bucketEntry[kWeldBuckets];
static uint32_t bucketPass[kWeldBuckets];  // a bucket is in use when it holds the current pass
static uint32_t weldPass = 0;

// The bits of a coordinate such that two coordinates compare equal as floats exactly when
// their keys are equal; -0 and +0 compare equal, so both map to +0. NaN is never passed here.
static uint32_t positionKey(float coordinate)
{
    if (coordinate == 0.0f)
        coordinate = 0.0f;
    uint32_t bits;
    memcpy(&bits, &coordinate, sizeof(bits));
    return bits;
}

static uint32_t bucketOf(uint32_t x, uint32_t z)
{
    uint32_t h = x * 0x9E3779B1u ^ (z + 0x7F4A7C15u) * 0x85EBCA77u;
    h ^= h >> 16;
    return h & (uint32_t)(kWeldBuckets - 1);
}

void weldMountain(int slot)
{
    if (slot < 0 || slot >= kMountainSlots)
        return;
    Vec3* vertices = mountainSlots[slot].vertices;

    weldPass++;
    if (weldPass == 0) {  // wrapped: forget every stale mark once
        memset(bucketPass, 0, sizeof(bucketPass));
        weldPass = 1;
    }

    for (int i = 0; i < kMountainEntries; i++) {
        Vec3& v = vertices[i];
        // A NaN coordinate equals no position, not even its own: the entry keeps its height.
        if (v.x != v.x || v.z != v.z)
            continue;
        uint32_t x = positionKey(v.x);
        uint32_t z = positionKey(v.z);
        uint32_t b = bucketOf(x, z);
        while (bucketPass[b] == weldPass && (bucketX[b] != x || bucketZ[b] != z))
            b = (b + 1) & (uint32_t)(kWeldBuckets - 1);
        if (bucketPass[b] == weldPass) {
            // The first entry at this position was welded before and kept its own height.
            v.y = vertices[bucketEntry[b]].y;
        } else {
            bucketPass[b] = weldPass;
            bucketX[b] = x;
            bucketZ[b] = z;
            bucketEntry[b] = i;
        }
    }
}

static bool cornersInTable(const MountainQuad& quad)
{
    for (int c = 0; c < 4; c++)
        if (quad.corner[c] < 0 || quad.corner[c] >= kMountainEntries)
            return false;
    return true;
}

void computeMountainNormals(int slot)
{
    if (slot < 0 || slot >= kMountainSlots)
        return;
    MountainSlot& mountain = mountainSlots[slot];

    for (int k = 0; k < kMountainEntries; k++) {
        const MountainQuad& quad = mountain.quads[k];
        // Generation only stores indices inside the table; anything else gets no normal
        // rather than a read outside it.
        if (!cornersInTable(quad)) {
            mountain.normals[k] = Vec3{0.0f, 0.0f, 0.0f};
            continue;
        }
        Vec3 firstVert = mountain.vertices[quad.corner[0]];
        Vec3 secondVert = mountain.vertices[quad.corner[1]];
        Vec3 thirdVert = mountain.vertices[quad.corner[2]];
        Vec3 A = {secondVert.x - firstVert.x, secondVert.y - firstVert.y, secondVert.z - firstVert.z};
        Vec3 B = {thirdVert.x - firstVert.x, thirdVert.y - firstVert.y, thirdVert.z - firstVert.z};
        Vec3 norm = {A.y * B.z - A.z * B.y, A.z * B.x - A.x * B.z, A.x * B.y - A.y * B.x};
        mountain.normals[k] = norm;
    }
}

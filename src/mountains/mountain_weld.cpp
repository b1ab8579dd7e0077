// mountain_weld.cpp -- closes the seams of a generated mountain and gives each quad its normal
#include "mountains/mountains.h"

#include <cstdint>
#include <cstring>

// Open-addressed table from an (x, z) position to the lowest-index entry found there so far.
// Larger than a slot's capacity, so it can never fill; one bucket is one 16-byte record.
static const int kWeldBuckets = 32768;
static_assert(kWeldBuckets == 1 << 15 && kWeldBuckets > kMountainEntries, "bucketOf returns 15 bits");
struct WeldBucket {
    uint32_t x;
    uint32_t z;
    int entry;
    uint32_t pass;  // the bucket is in use when it holds the current pass
};
static WeldBucket buckets[kWeldBuckets];
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

// Mixes both keys into the top bits and takes those: grid coordinates differ mostly in their
// high bits, their low mantissa bits are zero.
static uint32_t bucketOf(uint32_t x, uint32_t z)
{
    uint32_t h = x * 0x9E3779B1u ^ (z ^ (z >> 16)) * 0x85EBCA77u;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    return h >> 17;  // 15 bits: 0 .. kWeldBuckets - 1
}

void weldMountain(int slot)
{
    if (slot < 0 || slot >= kMountainSlots)
        return;
    Vec3* vertices = mountainSlots[slot].vertices;

    weldPass++;
    if (weldPass == 0) {  // wrapped: forget every stale mark once
        memset(buckets, 0, sizeof(buckets));
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
        while (buckets[b].pass == weldPass && (buckets[b].x != x || buckets[b].z != z))
            b = (b + 1) & (uint32_t)(kWeldBuckets - 1);
        WeldBucket& bucket = buckets[b];
        if (bucket.pass == weldPass) {
            // The first entry at this position was welded before and kept its own height.
            v.y = vertices[bucket.entry].y;
        } else {
            bucket = WeldBucket{x, z, i, weldPass};
        }
    }
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

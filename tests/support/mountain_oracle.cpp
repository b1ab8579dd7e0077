// mountain_oracle.cpp -- a quadratic reference search that builds the mountains, for tests
#include "support/mountain_oracle.h"

#include "common/random.h"

#include <cstdlib>

static double referenceRandomUpTo(double x)
{
    return (double)((float)nextRandom() / 32767.0f) * x;
}

static int referenceFreeVertex(const MountainSlot& slot)
{
    int i = 0;
    while (i < kMountainEntries &&
           !(slot.vertices[i].x == 0.0f && slot.vertices[i].y == 0.0f && slot.vertices[i].z == 0.0f))
        i++;
    return i;
}

static int referenceFreeQuad(const MountainSlot& slot)
{
    int k = 0;
    while (k < kMountainEntries &&
           !(slot.quads[k].corner[0] == 0 && slot.quads[k].corner[1] == 0 &&
             slot.quads[k].corner[2] == 0 && slot.quads[k].corner[3] == 0))
        k++;
    return k;
}

static void referenceSubdivide(MountainSlot& slot, Vec3 p, Vec3 q, Vec3 r, Vec3 s, double amplitude, int depth)
{
    if (depth <= 0)
        return;
    Vec3 m0 = {(p.x + q.x) / 2.0f, (p.y + q.y) / 2.0f, (p.z + q.z) / 2.0f};
    Vec3 m1 = {(q.x + r.x) / 2.0f, (q.y + r.y) / 2.0f, (q.z + r.z) / 2.0f};
    Vec3 m2 = {(r.x + s.x) / 2.0f, (r.y + s.y) / 2.0f, (r.z + s.z) / 2.0f};
    Vec3 m3 = {(s.x + p.x) / 2.0f, (s.y + p.y) / 2.0f, (s.z + p.z) / 2.0f};
    m0.y = (float)((double)m0.y + referenceRandomUpTo(amplitude));
    m1.y = (float)((double)m1.y + referenceRandomUpTo(amplitude));
    m2.y = (float)((double)m2.y + referenceRandomUpTo(amplitude));
    m3.y = (float)((double)m3.y + referenceRandomUpTo(amplitude));
    referenceRandomUpTo(amplitude);
    Vec3 t;
    t.x = (m1.x + m3.x) / 2.0f;
    t.y = (m0.y + m1.y + m2.y + m3.y) / 4.0f;
    t.z = (m0.z + m2.z) / 2.0f;

    int i = referenceFreeVertex(slot);
    if (i + 5 > kMountainEntries)
        abort();  // the reference is only run on inputs that fit
    slot.vertices[i] = p;
    slot.vertices[i + 1] = q;
    slot.vertices[i + 2] = r;
    slot.vertices[i + 3] = s;
    slot.vertices[i + 4] = t;
    if (depth == 1) {
        int k = referenceFreeQuad(slot);
        if (k >= kMountainEntries)
            abort();
        slot.quads[k] = MountainQuad{{i, i + 1, i + 2, i + 3}};
    }

    amplitude = amplitude / 2.0;
    referenceSubdivide(slot, p, m0, t, m3, amplitude, depth - 1);
    referenceSubdivide(slot, m0, q, m1, t, amplitude, depth - 1);
    referenceSubdivide(slot, t, m1, r, m2, amplitude, depth - 1);
    referenceSubdivide(slot, m3, t, m2, s, amplitude, depth - 1);
}

void referenceGenerateMountains(MountainSlot* slots)
{
    for (int n = 0; n < kMountainSlots; n++)
        for (int i = 0; i < 9; i++)
            slots[n].vertices[i] = initialMtn[i];
    const Vec3* m = initialMtn;
    double amplitude = 0.8;
    for (int n = 0; n < kMountainSlots; n++) {
        if (n == 0)
            referenceRandomUpTo(amplitude);
        referenceSubdivide(slots[n], m[0], m[1], m[8], m[7], amplitude, 5);
        referenceRandomUpTo(amplitude);
        referenceSubdivide(slots[n], m[1], m[2], m[3], m[8], amplitude, 5);
        referenceRandomUpTo(amplitude);
        referenceSubdivide(slots[n], m[8], m[3], m[4], m[5], amplitude, 5);
        referenceRandomUpTo(amplitude);
        referenceSubdivide(slots[n], m[7], m[8], m[5], m[6], amplitude, 5);
    }
    for (int n = 0; n < kMountainSlots; n++)
        referenceWeldMountain(slots[n]);
}

void referenceWeldMountain(MountainSlot& slot)
{
    for (int i = 0; i < kMountainEntries; i++) {
        int j = 0;
        // Entry i itself matches unless a coordinate is NaN; then it keeps its own height.
        while (j < i && !(slot.vertices[j].x == slot.vertices[i].x && slot.vertices[j].z == slot.vertices[i].z))
            j++;
        slot.vertices[i].y = slot.vertices[j].y;
    }
}

void referenceMountainNormals(MountainSlot& slot)
{
    for (int k = 0; k < kMountainEntries; k++) {
        Vec3 firstVert = slot.vertices[slot.quads[k].corner[0]];
        Vec3 secondVert = slot.vertices[slot.quads[k].corner[1]];
        Vec3 thirdVert = slot.vertices[slot.quads[k].corner[2]];
        Vec3 A = {secondVert.x - firstVert.x, secondVert.y - firstVert.y, secondVert.z - firstVert.z};
        Vec3 B = {thirdVert.x - firstVert.x, thirdVert.y - firstVert.y, thirdVert.z - firstVert.z};
        Vec3 norm;
        norm.x = A.y * B.z - A.z * B.y;
        norm.y = A.z * B.x - A.x * B.z;
        norm.z = A.x * B.y - A.y * B.x;
        slot.normals[k] = norm;
    }
}

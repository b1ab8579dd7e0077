// mountain_tables_fuzz.cpp -- libFuzzer target: subdivision, weld and normals on any depth, fill and corners
#include "mountains/mountains.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

// The random values the subdivision draws, taken in turn from the input and then repeated.
static const uint8_t* drawBytes = nullptr;
static size_t drawCount = 0;
static size_t drawNext = 0;

static int drawFromInput()
{
    if (drawCount < 2)
        return 0;
    size_t at = (drawNext * 2) % (drawCount - 1);
    drawNext++;
    return (int)(((unsigned)drawBytes[at] << 8 | drawBytes[at + 1]) % 32768u);
}

static bool allZero(const void* data, size_t size)
{
    static const unsigned char zeros[65536] = {};
    const unsigned char* bytes = (const unsigned char*)data;
    for (size_t at = 0; at < size; at += sizeof(zeros)) {
        size_t n = size - at < sizeof(zeros) ? size - at : sizeof(zeros);
        if (memcmp(bytes + at, zeros, n) != 0)
            return false;
    }
    return true;
}

// Input: depth (1 byte, 0 to 9), taken vertex and quad entries (2 bytes each, scaled to the capacity),
// the four corners (12 floats), the amplitude (1 double), then the draws.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const size_t header = 1 + 2 + 2 + 12 * sizeof(float) + sizeof(double);
    if (size < header)
        return 0;
    int depth = data[0] % 10;  // deep enough to overflow the tables, shallow enough to stay fast
    int takenVertices = (int)(((unsigned)data[1] << 8 | data[2]) * (unsigned)kMountainEntries / 65535u);
    int takenQuads = (int)(((unsigned)data[3] << 8 | data[4]) * (unsigned)kMountainEntries / 65535u);
    float corners[12];
    memcpy(corners, data + 5, sizeof(corners));
    double amplitude;
    memcpy(&amplitude, data + 5 + sizeof(corners), sizeof(amplitude));
    drawBytes = data + header;
    drawCount = size - header;
    drawNext = 0;

    for (int slot = 0; slot < kMountainSlots; slot++)
        clearMountain(slot);
    MountainSlot& m = mountainSlots[0];
    for (int i = 0; i < takenVertices; i++)
        m.vertices[i] = Vec3{1.0f, 1.0f, 1.0f};
    for (int k = 0; k < takenQuads; k++)
        m.quads[k] = MountainQuad{{1, 2, 3, 4}};

    setMountainRandomSource(drawFromInput);
    Vec3 p = {corners[0], corners[1], corners[2]}, q = {corners[3], corners[4], corners[5]};
    Vec3 r = {corners[6], corners[7], corners[8]}, s = {corners[9], corners[10], corners[11]};
    subdivideQuad(p, q, r, s, amplitude, depth, 0);
    setMountainRandomSource(nullptr);

    // Subdivision writes only the slot's vertices and quads: its normals and the other slots,
    // where an overrun would land, stay zero.
    if (!allZero(m.normals, sizeof(m.normals)) || !allZero(&mountainSlots[1], sizeof(MountainSlot)))
        abort();
    weldMountain(0);
    computeMountainNormals(0);
    if (!allZero(&mountainSlots[1], sizeof(MountainSlot)))
        abort();
    return 0;
}

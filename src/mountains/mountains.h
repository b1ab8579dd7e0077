// mountains.h -- the three fractal mountains: their tables, generation, weld, normals and drawing
#pragma once

#include "common/float_eval.h"
#include "common/vec3.h"

inline constexpr int kMountainSlots = 3;
inline constexpr int kMountainEntries = 20600;   // capacity of each table of a slot
inline constexpr int kMountainDepth = 5;         // subdivision levels below the seed quads
inline constexpr double kMountainAmplitude = 0.8;  // largest upward displacement at the top level, model units
inline constexpr int kMountainSeedPoints = 9;

// Four indices into the same slot's vertices, corners in the order (smallest x, largest z),
// (largest x, largest z), (largest x, smallest z), (smallest x, smallest z).
struct MountainQuad {
    int corner[4];
};

// A quads entry is free when all four indices are 0.
inline bool isFreeQuad(const MountainQuad& quad)
{
    return quad.corner[0] == 0 && quad.corner[1] == 0 && quad.corner[2] == 0 && quad.corner[3] == 0;
}

// True when all four corners name an entry of the slot's vertices table. Generation stores
// nothing else; the normals and the drawing check anyway before they read a corner.
inline bool cornersInTable(const MountainQuad& quad)
{
    for (int c = 0; c < 4; c++)
        if (quad.corner[c] < 0 || quad.corner[c] >= kMountainEntries)
            return false;
    return true;
}

// One generated mountain in model space: x and z in [-1, 1], heights in y.
// A vertices entry is free when x, y and z all equal 0; a quads entry when all four indices
// are 0. Both tables fill from the front without gaps.
struct MountainSlot {
    Vec3 vertices[kMountainEntries];
    Vec3 normals[kMountainEntries];      // entry k: the (unnormalised) normal of quads entry k
    MountainQuad quads[kMountainEntries];
};

// Written by buildMountains during start-up, read-only afterwards.
extern MountainSlot mountainSlots[kMountainSlots];

// The seed shape: a pyramid over [-1, 1] x [-1, 1] with its apex (entry 8) at height 1.
extern const Vec3 initialMtn[kMountainSeedPoints];

// Where the frame drawing puts each slot: the translation (model units) and the scale.
struct MountainPlacement {
    float tx, ty, tz;
    float sx, sy, sz;
};
extern const MountainPlacement mountainPlacements[kMountainSlots];

// ---- generation (mountain_generation.cpp) ----

// Everything start-up builds before the first frame: generateMountains, then
// computeMountainNormals for every slot. Seed nextRandom first.
void buildMountains();

// Builds and welds every slot from the seed shape: clears them, then subdivides the four seed
// quads of each slot in turn to kMountainDepth, drawing from nextRandom (seed it first). Each slot ends with 6829 used vertex entries and 1024 quads, a
// 32 x 32 grid; the weld then sets every later vertex entry to (0, 1, 0).
void generateMountains();

// Empties one slot (all tables zero) so subdivideQuad starts filling it from entry 0.
// A slot number outside 0 .. kMountainSlots - 1 is ignored.
void clearMountain(int slot);

// One recursive step: displaces the four edge midpoints of the quad p, q, r, s upward by up to
// amplitude (model units), stores p, q, r, s and the centre in the slot's next five free vertex
// entries (and, at depth 1, a quad naming the first four), then recurses on the four quadrants
// with half the amplitude. Depth 0 or less does nothing. When the slot has no room left for the
// five entries (or the quad) the call stores nothing and does not recurse: a full table stops
// the subdivision, it never overruns. Prints one line the first time a slot overflows.
// A slot number outside 0 .. kMountainSlots - 1 does nothing.
void subdivideQuad(Vec3 p, Vec3 q, Vec3 r, Vec3 s, double amplitude, int depth, int slot);

// A value in [0, x]: one draw of the random source as a float divided by kRandomMax in single
// precision, widened to double and multiplied by x.
double randomUpTo(double x);

// Replaces the source randomUpTo draws from (values 0 to kRandomMax), for tests that need a
// constant stream; nullptr restores nextRandom. The program itself never calls it.
using RandomSource = int (*)();
void setMountainRandomSource(RandomSource source);

// ---- weld and normals (mountain_weld.cpp) ----

// Gives every vertices entry of the slot the height of the lowest-index entry at the same
// (x, z), compared in single precision. Free entries lie at (0, 0) and so take the apex height.
// Runs in linear time. Called by generateMountains; a slot outside 0 .. kMountainSlots - 1 is
// ignored.
void weldMountain(int slot);

// Sets normals entry k of the slot to the cross product (v1 - v0) x (v2 - v0) of quad k's first
// three corners, not normalised (y is 1/256 for every generated quad); free quads get (0, 0, 0).
// buildMountains runs it for every slot after generateMountains. A slot outside
// 0 .. kMountainSlots - 1 is ignored.
void computeMountainNormals(int slot);

// ---- drawing (mountain_draw.cpp) ----

// Draws every slot at its entry of mountainPlacements (drawMountain), slot 0 first.
void drawMountains();

// Draws the used quads of one slot, scaled by (sx, sy, sz) after a translation by (tx, ty, tz)
// in model units: a model point v lands at (sx (v.x + tx), sy (v.y + ty), sz (v.z + tz)).
// Filled polygons, or line loops when wireframe is set; one normal per quad; each corner's
// diffuse colour by its model height: brown below kGreenFrom, green below kWhiteFrom, white
// from kWhiteFrom (mountain_draw.cpp).
// Needs the modelview matrix current. Leaves the modelview matrix as it found it, lighting on,
// the front shininess 1, specular black and diffuse the colour of the last corner drawn.
// A slot outside 0 .. kMountainSlots - 1 draws nothing.
void drawMountain(float tx, float ty, float tz, float sx, float sy, float sz, int slot);

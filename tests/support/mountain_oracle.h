// mountain_oracle.h -- a quadratic reference search that builds the mountains, for tests
#pragma once

#include "mountains/mountains.h"

// Builds three slots into `slots` exactly as the straightforward procedures do: every free-entry
// search scans from entry 0, the weld searches each entry's position from entry 0, the random
// values come from nextRandom (seed it first). Slow (quadratic), but obviously right.
// `slots` must hold kMountainSlots zero-filled slots.
void referenceGenerateMountains(MountainSlot* slots);

// The weld of one slot by quadratic search: every entry takes the height of the first entry, counted
// from 0, with the same x and z.
void referenceWeldMountain(MountainSlot& slot);

// The normals of one slot, plainly: the cross product of the first three corners' edges.
void referenceMountainNormals(MountainSlot& slot);

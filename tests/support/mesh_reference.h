// mesh_reference.h -- a mesh group drawn with one glBegin/glEnd pair per face slot, empty or not
#pragma once

#include "aircraft/mesh_model.h"

// Draws faces 0 .. faceCount - 1 of the group as drawMeshGroup does, but issues a
// glBegin/glEnd pair for every face, also those with no index: the reference the tests and
// the benchmark compare the program's drawing with (same picture, more GL calls).
void drawMeshGroupWithEmptyFaces(const MeshTables& tables, int group, int faceCount, int wireframe);

// mesh_draw.h -- draws the faces of one group of a model store in immediate mode
#pragma once

#include "aircraft/mesh_model.h"

// Draws faces 0 .. faceCount - 1 of the group (clamped to the store), each as one GL_POLYGON,
// or as one GL_LINE_LOOP when wireframe is not 0. Each index k gives normals[k - 1], then
// vertices[k - 1]; a face ends at its first index below 1, after kMeshFaceSlots indices or
// at an index beyond the tables. Faces with no index issue no glBegin/glEnd at all (most of
// the body's face slots are empty). Uses the current material and matrix; changes no other state.
void drawMeshGroup(const MeshTables& tables, int group, int faceCount, int wireframe);

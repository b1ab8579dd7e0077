// mesh_reference.cpp -- a mesh group drawn with one glBegin/glEnd pair per face slot, empty or not
#include "support/mesh_reference.h"

#include <GL/gl.h>

void drawMeshGroupWithEmptyFaces(const MeshTables& tables, int group, int faceCount, int wireframe)
{
    if (group < 0 || group >= tables.groups)
        return;
    if (faceCount > tables.facesPerGroup)
        faceCount = tables.facesPerGroup;
    int highest = tables.vertexSlots < tables.normalSlots ? tables.vertexSlots : tables.normalSlots;
    const int* slots = tables.faces + (size_t)group * (size_t)tables.facesPerGroup * kMeshFaceSlots;
    for (int f = 0; f < faceCount; f++, slots += kMeshFaceSlots) {
        glBegin(wireframe != 0 ? GL_LINE_LOOP : GL_POLYGON);
            for (int s = 0; s < kMeshFaceSlots && slots[s] >= 1 && slots[s] <= highest; s++) {
                const Vec3& n = tables.normals[slots[s] - 1];
                const Vec3& v = tables.vertices[slots[s] - 1];
                glNormal3f(n.x, n.y, n.z);
                glVertex3f(v.x, v.y, v.z);
            }
        glEnd();
    }
}

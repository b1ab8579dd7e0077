// mesh_draw.cpp -- draws the faces of one group of a model store in immediate mode
#include "aircraft/mesh_draw.h"

#include <GL/gl.h>

void drawMeshGroup(const MeshTables& tables, int group, int faceCount, int wireframe)
{
    if (group < 0 || group >= tables.groups)
        return;
    if (faceCount > tables.facesPerGroup)
        faceCount = tables.facesPerGroup;
    // An index must name an entry of both tables, whatever a caller stored.
    int highest = tables.vertexSlots < tables.normalSlots ? tables.vertexSlots : tables.normalSlots;
    GLenum mode = wireframe != 0 ? GL_LINE_LOOP : GL_POLYGON;
    const int* slots = tables.faces + (size_t)group * (size_t)tables.facesPerGroup * kMeshFaceSlots;
    for (int f = 0; f < faceCount; f++, slots += kMeshFaceSlots) {
        if (slots[0] < 1 || slots[0] > highest)
            continue;
        glBegin(mode);
            for (int s = 0; s < kMeshFaceSlots; s++) {
                int k = slots[s];
                if (k < 1 || k > highest)
                    break;
                const Vec3& n = tables.normals[k - 1];
                const Vec3& v = tables.vertices[k - 1];
                glNormal3f(n.x, n.y, n.z);
                glVertex3f(v.x, v.y, v.z);
            }
        glEnd();
    }
}

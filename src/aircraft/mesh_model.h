// mesh_model.h -- the two fixed-capacity model stores and the loaders that fill them from text
#pragma once

#include "common/vec3.h"

#include <cstdio>

// The mesh text format is read in chunks of at most this many characters: a shorter line and
// its line end is one chunk, a longer line is cut every kMeshChunkChars characters and each
// piece is classified by its own first character ("v", "n", "g", "f"; anything else is
// ignored).
constexpr int kMeshChunkChars = 37;

constexpr int kMeshFaceSlots = 56;     // indices one face can hold
constexpr int kMeshNormalSlots = 6765; // normals of either store; an index names a vertex and a normal

constexpr int kAircraftVertexSlots = 6765;
constexpr int kAircraftGroups = 33;
constexpr int kAircraftFacesPerGroup = 2048;

constexpr int kPropellerVertexSlots = 6765;
constexpr int kPropellerGroups = 2;
constexpr int kPropellerFacesPerGroup = 2046;

// One model: vertex k (1-based) is vertices[k - 1] with the normal normals[k - 1];
// faces[g][f] lists the indices of face f of group g, ending at the first slot below 1
// or after kMeshFaceSlots slots. Unfilled entries are zero, so an unfilled face is empty.
// The store keeps no counts: drawing visits the fixed ranges and passes over empty faces.
template <int VertexSlots, int Groups, int FacesPerGroup>
struct MeshModel {
    Vec3 vertices[VertexSlots];
    Vec3 normals[kMeshNormalSlots];
    int faces[Groups][FacesPerGroup][kMeshFaceSlots];
};

using AircraftModel = MeshModel<kAircraftVertexSlots, kAircraftGroups, kAircraftFacesPerGroup>;
using PropellerModel = MeshModel<kPropellerVertexSlots, kPropellerGroups, kPropellerFacesPerGroup>;

extern AircraftModel aircraftModel;    // the body, from cessna.txt; written once at start-up
extern PropellerModel propellerModel;  // one propeller, from propeller.txt; written once at start-up

// A view of one store's tables with their capacities, so one reader and one face drawer
// serve both stores.
struct MeshTables {
    Vec3* vertices;
    int vertexSlots;
    Vec3* normals;
    int normalSlots;
    int* faces;          // [groups][facesPerGroup][kMeshFaceSlots], flattened
    int groups;
    int facesPerGroup;
};

template <int VertexSlots, int Groups, int FacesPerGroup>
MeshTables meshTables(MeshModel<VertexSlots, Groups, FacesPerGroup>& model)
{
    return {model.vertices, VertexSlots, model.normals, kMeshNormalSlots,
            &model.faces[0][0][0], Groups, FacesPerGroup};
}

// Reads the stream to its end into the store, which should be all zero (as at start-up).
// Never reads or writes outside a table, whatever the bytes:
// - a CR LF pair is one line end (text mode on the platforms the files come from); a lone
//   CR is an ordinary character;
// - vertex and normal records beyond the tables' capacity are dropped;
// - a number missing from a vertex or normal record, and every number after it, keeps the
//   value of the previous vertex or normal record of this load, 0 for the first; a number
//   that is not finite keeps that value too, but the numbers after it are still read;
// - face records before the first group record, in groups beyond the capacity or beyond the
//   faces of their group are dropped; a group record beyond the capacity still counts, so
//   later faces are dropped rather than added to the last group;
// - indices too large for an int saturate; after the whole stream is read, an index that
//   names no loaded vertex or no loaded normal is replaced by 0, so the face ends there.
// Does not close the stream.
void readMeshStream(FILE* stream, const MeshTables& tables);

// Sets every entry of the store to zero, as at process start.
void clearMeshTables(const MeshTables& tables);

// Loads aircraftModel from an open text stream (the caller opens and closes it). With no
// stream it prints "Invalid file pointer\n" and leaves the model empty.
void loadAircraftModel(FILE* stream);

// Loads propellerModel from "propeller.txt" in the working directory and returns true. If the
// file cannot be opened it prints "Can't open propeller file\n" and returns false: the program
// then ends with status 1.
bool loadPropellerModel();

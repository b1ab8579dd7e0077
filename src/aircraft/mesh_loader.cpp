// mesh_loader.cpp -- reads the mesh text format into a fixed-capacity model store
#include "aircraft/mesh_model.h"

#include "common/data_files.h"

#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

AircraftModel aircraftModel;
PropellerModel propellerModel;

// Reads the next chunk into buffer (at most kMeshChunkChars characters, ending early after
// a line end) and terminates it. A CR LF pair is folded into one "\n" before it is counted.
// Returns the number of characters, 0 at end of stream or on a read error.
static int readChunk(FILE* stream, char (&buffer)[kMeshChunkChars + 1])
{
    int length = 0;
    while (length < kMeshChunkChars) {
        int c = getc(stream);
        if (c == EOF)
            break;
        if (c == '\r') {
            int next = getc(stream);
            if (next == '\n')
                c = '\n';
            else if (next != EOF)
                ungetc(next, stream);
        }
        buffer[length++] = (char)c;
        if (c == '\n')
            break;
    }
    buffer[length] = '\0';
    return length;
}

static bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Scans "keyword x y z" as "%s %g %g %g" would, into the coordinates it finds. The scan
// stops at the first text that is not a number, so that coordinate and the ones after it
// keep the values they hold; a number that is not finite (inf, nan, out of float range) is
// read past but not stored, so only that coordinate keeps its value.
static void scanCoordinates(const char* chunk, float (&xyz)[3])
{
    const char* p = chunk;
    while (*p != '\0' && !isBlank(*p))
        p++;
    for (int i = 0; i < 3; i++) {
        char* end = nullptr;
        float value = strtof(p, &end);
        if (end == p)
            return;
        if (std::isfinite(value))
            xyz[i] = value;
        p = end;
    }
}

// The leading decimal integer of a token, as atoi reads it (leading white space, a sign,
// then digits), but saturating at INT_MIN and INT_MAX instead of overflowing.
static int leadingInteger(const char* token)
{
    const char* p = token;
    while (isBlank(*p))
        p++;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        p++;
    }
    long long magnitude = 0;
    const long long limit = (long long)INT_MAX + 1;
    for (; *p >= '0' && *p <= '9'; p++) {
        magnitude = magnitude * 10 + (*p - '0');
        if (magnitude > limit)
            magnitude = limit;
    }
    if (negative)
        return (int)(-magnitude);
    return magnitude > INT_MAX ? INT_MAX : (int)magnitude;
}

static int* faceSlots(const MeshTables& tables, int group, int face)
{
    return tables.faces + ((size_t)group * (size_t)tables.facesPerGroup + (size_t)face) * kMeshFaceSlots;
}

// Stores the indices of one face record; tokens are split at spaces and line ends only and
// the first one, the keyword, is skipped. slots is null when the face is dropped.
static void storeFace(char* chunk, int* slots)
{
    char* saved = nullptr;
    char* token = strtok_r(chunk, " \n", &saved);
    if (token == nullptr)
        return;
    int slot = 0;
    while ((token = strtok_r(nullptr, " \n", &saved)) != nullptr) {
        if (slots == nullptr || slot >= kMeshFaceSlots)
            return;
        slots[slot++] = leadingInteger(token);
    }
}

// Replaces every index that names no loaded vertex or normal by 0: the face then ends at
// that slot, and drawing never reads past what the file gave. Only the groups and faces
// this load can have written (below groupEnd and faceEnd) are visited.
static void dropUnloadedIndices(const MeshTables& tables, int vertexCount, int normalCount,
                                int groupEnd, int faceEnd)
{
    int highest = vertexCount < normalCount ? vertexCount : normalCount;
    for (int g = 0; g < groupEnd; g++)
        for (int f = 0; f < faceEnd; f++) {
            int* slots = faceSlots(tables, g, f);
            for (int s = 0; s < kMeshFaceSlots; s++)
                if (slots[s] > highest)
                    slots[s] = 0;
        }
}

void readMeshStream(FILE* stream, const MeshTables& tables)
{
    int vertexCount = 0;
    int normalCount = 0;
    int group = -1;
    int faceCount = 0;
    int groupEnd = 0;  // one past the highest group and face written
    int faceEnd = 0;
    float xyz[3] = {0.0f, 0.0f, 0.0f};  // shared by vertex and normal records: missing values carry over
    char chunk[kMeshChunkChars + 1];

    while (readChunk(stream, chunk) > 0) {
        switch (chunk[0]) {
        case 'v':
            scanCoordinates(chunk, xyz);
            if (vertexCount < tables.vertexSlots)  // full: further vertices are dropped
                tables.vertices[vertexCount++] = {xyz[0], xyz[1], xyz[2]};
            break;
        case 'n':
            scanCoordinates(chunk, xyz);
            if (normalCount < tables.normalSlots)  // full: further normals are dropped
                tables.normals[normalCount++] = {xyz[0], xyz[1], xyz[2]};
            break;
        case 'g':
            // Counting stops one past the last group, so faces after it are dropped.
            if (group < tables.groups)
                group++;
            faceCount = 0;
            break;
        case 'f': {
            bool kept = group >= 0 && group < tables.groups && faceCount < tables.facesPerGroup;
            storeFace(chunk, kept ? faceSlots(tables, group, faceCount) : nullptr);
            if (kept) {
                groupEnd = group + 1 > groupEnd ? group + 1 : groupEnd;
                faceEnd = faceCount + 1 > faceEnd ? faceCount + 1 : faceEnd;
            }
            if (faceCount < tables.facesPerGroup)
                faceCount++;
            break;
        }
        default:
            break;
        }
    }
    dropUnloadedIndices(tables, vertexCount, normalCount, groupEnd, faceEnd);
}

void clearMeshTables(const MeshTables& tables)
{
    memset(tables.vertices, 0, sizeof(Vec3) * (size_t)tables.vertexSlots);
    memset(tables.normals, 0, sizeof(Vec3) * (size_t)tables.normalSlots);
    memset(tables.faces, 0, sizeof(int) * (size_t)tables.groups * (size_t)tables.facesPerGroup * kMeshFaceSlots);
}

void loadAircraftModel(FILE* stream)
{
    if (stream == nullptr) {
        printf("Invalid file pointer\n");
        return;
    }
    readMeshStream(stream, meshTables(aircraftModel));
}

bool loadPropellerModel()
{
    FILE* file = fopen(kPropellerFile, "r");
    if (file == nullptr) {
        printf("Can't open propeller file\n");
        return false;
    }
    readMeshStream(file, meshTables(propellerModel));
    fclose(file);
    return true;
}

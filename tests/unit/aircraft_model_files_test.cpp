// aircraft_model_files_test.cpp -- the generated cessna.txt and propeller.txt keep to the format and fit the hubs
#include "aircraft/mesh_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace {

struct V {
    double x, y, z;
};
V sub(V a, V b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
double dot(V a, V b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
V cross(V a, V b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
V toV(const Vec3& p) { return {p.x, p.y, p.z}; }

std::string dataFile(const char* name) { return std::string(BRINEWINGS_DATA_DIR) + "/" + name; }

template <typename Model>
void loadFile(Model& model, const char* name)
{
    clearMeshTables(meshTables(model));
    FILE* file = fopen(dataFile(name).c_str(), "r");
    ASSERT_NE(file, nullptr) << name;
    readMeshStream(file, meshTables(model));
    fclose(file);
}

struct Face {
    int group;
    std::vector<int> indices;
};

template <typename Model>
std::vector<Face> facesOf(const Model& model, int groups, int faces)
{
    std::vector<Face> list;
    for (int g = 0; g < groups; g++)
        for (int f = 0; f < faces; f++) {
            Face face{g, {}};
            for (int s = 0; s < kMeshFaceSlots && model.faces[g][f][s] > 0; s++)
                face.indices.push_back(model.faces[g][f][s]);
            if (!face.indices.empty())
                list.push_back(face);
        }
    return list;
}

struct FileCounts {
    int longestLine = 0, vertices = 0, normals = 0, groups = 0, mostFaces = 0;
};

FileCounts countFile(const char* name)
{
    std::ifstream in(dataFile(name));
    FileCounts counts;
    std::string line;
    int faces = 0;
    while (std::getline(in, line)) {
        counts.longestLine = std::max(counts.longestLine, (int)line.size());
        counts.vertices += line[0] == 'v';
        counts.normals += line[0] == 'n';
        if (line[0] == 'g') {
            counts.groups++;
            faces = 0;
        }
        if (line[0] == 'f')
            counts.mostFaces = std::max(counts.mostFaces, ++faces);
    }
    return counts;
}

// Every face: at least three corners, one unit normal on every corner that agrees with the
// winding, all corners in one plane and the polygon convex.
template <typename Model>
void expectFlatConvexFaces(const Model& model, const std::vector<Face>& faces)
{
    int bad = 0;
    for (const Face& face : faces) {
        const std::vector<int>& k = face.indices;
        V n = toV(model.normals[k[0] - 1]);
        bool ok = k.size() >= 3 && std::fabs(dot(n, n) - 1.0) < 1e-3;
        V newell{0, 0, 0};
        for (size_t i = 0; i < k.size(); i++) {
            V a = toV(model.vertices[k[i] - 1]);
            V b = toV(model.vertices[k[(i + 1) % k.size()] - 1]);
            V c = toV(model.vertices[k[(i + 2) % k.size()] - 1]);
            newell.x += (a.y - b.y) * (a.z + b.z);
            newell.y += (a.z - b.z) * (a.x + b.x);
            newell.z += (a.x - b.x) * (a.y + b.y);
            V ni = toV(model.normals[k[i] - 1]);
            ok = ok && ni.x == n.x && ni.y == n.y && ni.z == n.z;
            ok = ok && std::fabs(dot(sub(a, toV(model.vertices[k[0] - 1])), n)) < 1e-4;  // planar
            ok = ok && dot(cross(sub(b, a), sub(c, b)), n) > -1e-9;                     // convex turn
        }
        double length = std::sqrt(dot(newell, newell));
        ok = ok && length > 0.0 && dot(newell, n) / length > 0.999;
        bad += ok ? 0 : 1;
    }
    EXPECT_EQ(bad, 0) << "of " << faces.size() << " faces";
}

// Faces that share edges form closed shells; each shell must be closed (every edge used
// once in each direction) and enclose a positive volume, so its faces wind outward.
template <typename Model>
void expectClosedOutwardShells(const Model& model, const std::vector<Face>& faces)
{
    using Key = std::tuple<float, float, float>;
    auto key = [&](int k) {
        const Vec3& p = model.vertices[k - 1];
        return Key{p.x, p.y, p.z};
    };
    std::vector<int> parent(faces.size());
    for (size_t i = 0; i < parent.size(); i++)
        parent[i] = (int)i;
    std::function<int(int)> root = [&](int i) { return parent[(size_t)i] == i ? i : parent[(size_t)i] = root(parent[(size_t)i]); };
    std::map<std::pair<Key, Key>, std::vector<int>> edges;
    for (size_t f = 0; f < faces.size(); f++) {
        const std::vector<int>& k = faces[f].indices;
        for (size_t i = 0; i < k.size(); i++)
            edges[{key(k[i]), key(k[(i + 1) % k.size()])}].push_back((int)f);
    }
    int open = 0;
    for (const auto& e : edges) {
        auto reverse = edges.find({e.first.second, e.first.first});
        if (e.second.size() != 1 || reverse == edges.end() || reverse->second.size() != 1) {
            open++;
            continue;
        }
        parent[(size_t)root(e.second[0])] = root(reverse->second[0]);
    }
    EXPECT_EQ(open, 0);
    std::map<int, double> volume;
    for (size_t f = 0; f < faces.size(); f++) {
        const std::vector<int>& k = faces[f].indices;
        V a = toV(model.vertices[k[0] - 1]);
        for (size_t i = 1; i + 1 < k.size(); i++)
            volume[root((int)f)] += dot(a, cross(toV(model.vertices[k[i] - 1]), toV(model.vertices[k[i + 1] - 1]))) / 6.0;
    }
    for (const auto& shell : volume)
        EXPECT_GT(shell.second, 1e-7) << "shell of face " << shell.first;
    EXPECT_GE(volume.size(), 2u);
}

V centreOf(const std::vector<V>& points)
{
    V c{0, 0, 0};
    for (const V& p : points)
        c = {c.x + p.x, c.y + p.y, c.z + p.z};
    double n = (double)points.size();
    return {c.x / n, c.y / n, c.z / n};
}

}  // namespace

TEST(AircraftModelFiles, KeepWithinTheFormatsLimits)
{
    FileCounts body = countFile("cessna.txt");
    EXPECT_LE(body.longestLine, 36);
    EXPECT_LE(body.vertices, 6765);                 // no vertex past the 6765 normals can be drawn
    EXPECT_EQ(body.normals, body.vertices);
    EXPECT_LE(body.groups, 33);
    EXPECT_GE(body.groups, 15);                     // up to the wing tips, group 14
    EXPECT_LE(body.mostFaces, 2048);

    FileCounts propeller = countFile("propeller.txt");
    EXPECT_LE(propeller.longestLine, 36);
    EXPECT_LE(propeller.vertices, 6765);
    EXPECT_EQ(propeller.normals, propeller.vertices);
    EXPECT_EQ(propeller.groups, 2);
    EXPECT_LE(propeller.mostFaces, 133);            // only the first 133 are drawn
}

TEST(AircraftModelFiles, BodyFacesAreFlatConvexClosedAndWoundOutward)
{
    loadFile(aircraftModel, "cessna.txt");
    std::vector<Face> faces = facesOf(aircraftModel, kAircraftGroups, kAircraftFacesPerGroup);
    ASSERT_GT(faces.size(), 300u);
    expectFlatConvexFaces(aircraftModel, faces);
    expectClosedOutwardShells(aircraftModel, faces);
    int perGroup[kAircraftGroups] = {};
    for (const Face& face : faces)
        perGroup[face.group]++;
    for (int g : {0, 1, 2, 3, 4, 5, 6, 7, 14})  // every colour of the livery is used
        EXPECT_GT(perGroup[g], 0) << "group " << g;
}

TEST(AircraftModelFiles, PropellerFacesAreFlatConvexClosedAndWoundOutward)
{
    loadFile(propellerModel, "propeller.txt");
    std::vector<Face> faces = facesOf(propellerModel, kPropellerGroups, kPropellerFacesPerGroup);
    expectFlatConvexFaces(propellerModel, faces);
    expectClosedOutwardShells(propellerModel, faces);
}

TEST(AircraftModelFiles, TheEngineHubsLieOnBothPropellerAxes)
{
    loadFile(propellerModel, "propeller.txt");
    std::vector<V> spinner;
    for (const Face& face : facesOf(propellerModel, kPropellerGroups, kPropellerFacesPerGroup))
        for (int k : face.indices)
            if (face.group == 1)
                spinner.push_back(toV(propellerModel.vertices[k - 1]));
    V hub = centreOf(spinner);
    // The propellers spin about (0, -0.15, 0.35) and, 0.421 world units further along -z
    // before the 0.6 scale, about (0, -0.15, 0.35 - 0.421 / 0.6).
    EXPECT_NEAR(hub.y, -0.15, 1e-3);
    EXPECT_NEAR(hub.z, 0.35, 1e-3);

    loadFile(aircraftModel, "cessna.txt");
    std::vector<V> nacelles[2];
    for (const Face& face : facesOf(aircraftModel, kAircraftGroups, kAircraftFacesPerGroup))
        for (int k : face.indices)
            if (face.group == 3 || face.group == 5) {
                V p = toV(aircraftModel.vertices[k - 1]);
                nacelles[p.z > 0.0 ? 0 : 1].push_back(p);
            }
    V first = centreOf(nacelles[0]), second = centreOf(nacelles[1]);
    EXPECT_NEAR(first.y, -0.15, 1e-3);
    EXPECT_NEAR(first.z, 0.35, 1e-3);
    EXPECT_NEAR(second.y, -0.15, 1e-3);
    EXPECT_NEAR(second.z, 0.35 - 0.421 / 0.6, 1e-3);
    // The spinner sits in front of its nacelle.
    EXPECT_LT(hub.x, first.x);
}

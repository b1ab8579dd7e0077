// model_generator.cpp -- writes cessna.txt and propeller.txt: a twin-engine monoplane and its propeller
//
// Model axes: the nose points along -x, up is +y, the wings lie along z. Every face is a
// convex planar polygon, wound counter-clockwise seen from outside, and every corner carries
// the face's own normal (flat shading), so each face has its own vertices.
#include "aircraft/aircraft_geometry.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Point {
    double x, y, z;
};

Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Point operator*(Point a, double s) { return {a.x * s, a.y * s, a.z * s}; }
double dot(Point a, Point b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Point cross(Point a, Point b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }

const double kPi = 3.14159265358979323846;
const int kMaxCornersPerLine = 7;  // "f" and seven 4-digit indices fit in 36 characters

// Body groups written: up to the wing tips, the first trim group.
const int kWingTips = kFirstTrimGroup;
const int kBodyGroups = kWingTips + 1;

struct Model {
    std::vector<std::vector<std::vector<Point>>> groups;  // [group][face][corner]
    explicit Model(int groupCount) : groups((size_t)groupCount) {}
};

Point newellNormal(const std::vector<Point>& corners)
{
    Point n{0, 0, 0};
    for (size_t i = 0; i < corners.size(); i++) {
        const Point& a = corners[i];
        const Point& b = corners[(i + 1) % corners.size()];
        n.x += (a.y - b.y) * (a.z + b.z);
        n.y += (a.z - b.z) * (a.x + b.x);
        n.z += (a.x - b.x) * (a.y + b.y);
    }
    return n;
}

Point centroid(const std::vector<Point>& points)
{
    Point c{0, 0, 0};
    for (const Point& p : points)
        c = c + p;
    return c * (1.0 / (double)points.size());
}

// Adds a convex planar face, turned so that it faces away from `inside`.
void addFace(Model& model, int group, std::vector<Point> corners, Point inside)
{
    if (dot(newellNormal(corners), centroid(corners) - inside) < 0.0)
        corners = std::vector<Point>(corners.rbegin(), corners.rend());
    model.groups[(size_t)group].push_back(corners);
}

// A solid lofted through sections of equal corner count. Section i and i + 1 bound segment
// i, whose side faces go to segmentGroup(i, corner). The end sections are closed by caps
// (a section of one point ends in a tip instead). Each segment is a convex frustum, so
// "outward" is away from its centre.
template <typename GroupOf>
void addLoft(Model& model, const std::vector<std::vector<Point>>& sections, GroupOf segmentGroup, int capGroup)
{
    for (size_t i = 0; i + 1 < sections.size(); i++) {
        const std::vector<Point>& a = sections[i];
        const std::vector<Point>& b = sections[i + 1];
        Point inside = (centroid(a) + centroid(b)) * 0.5;
        size_t n = a.size() > b.size() ? a.size() : b.size();
        for (size_t j = 0; j < n; j++) {
            size_t k = (j + 1) % n;
            std::vector<Point> face = a.size() == 1   ? std::vector<Point>{a[0], b[j], b[k]}
                                      : b.size() == 1 ? std::vector<Point>{a[j], a[k], b[0]}
                                                      : std::vector<Point>{a[j], a[k], b[k], b[j]};
            addFace(model, segmentGroup((int)i, (int)j), face, inside);
        }
    }
    const std::vector<Point>& first = sections.front();
    const std::vector<Point>& last = sections.back();
    if (first.size() > 2)
        addFace(model, capGroup, first, (centroid(first) + centroid(sections[1])) * 0.5);
    if (last.size() > 2)
        addFace(model, capGroup, last, (centroid(last) + centroid(sections[sections.size() - 2])) * 0.5);
}

// A ring across the x axis: angle 0 at the top, 90 degrees toward +z.
std::vector<Point> ring(double x, double cy, double cz, double ry, double rz, const std::vector<double>& degrees)
{
    std::vector<Point> points;
    for (double a : degrees)
        points.push_back({x, cy + ry * std::cos(a * kPi / 180.0), cz + rz * std::sin(a * kPi / 180.0)});
    return points;
}

std::vector<double> evenAngles(int count)
{
    std::vector<double> degrees;
    for (int i = 0; i < count; i++)
        degrees.push_back(360.0 * i / count);
    return degrees;
}

// ---- the body ----

// Fuselage angles from the top down one side and up the other; the bands between 54 and
// 66 degrees carry the cabin windows, those between 80 and 100 degrees the stripe.
std::vector<double> fuselageAngles()
{
    std::vector<double> half = {0, 22, 44, 54, 66, 80, 100, 120, 150, 180};
    std::vector<double> all(half);
    for (size_t i = half.size() - 2; i >= 1; i--)
        all.push_back(360.0 - half[i]);
    return all;
}

void addFuselage(Model& model)
{
    struct Station { double x, cy, r; };
    std::vector<Station> stations = {
        {-0.95, -0.010, 0.035}, {-0.90, -0.010, 0.065}, {-0.82, -0.008, 0.092}, {-0.72, -0.005, 0.113},
        {-0.62, -0.002, 0.127}, {-0.52, 0.000, 0.135}};
    for (int i = 0; i <= 10; i++)
        stations.push_back({-0.44 + 0.07 * i, 0.0, 0.135});
    std::vector<Station> tail = {{0.40, 0.012, 0.123}, {0.52, 0.026, 0.104}, {0.64, 0.040, 0.084},
                                 {0.76, 0.052, 0.064}, {0.88, 0.060, 0.044}, {0.98, 0.066, 0.026}};
    stations.insert(stations.end(), tail.begin(), tail.end());

    std::vector<double> angles = fuselageAngles();
    std::vector<std::vector<Point>> sections = {{{-0.99, -0.012, 0.0}}};  // the nose tip
    for (const Station& s : stations)
        sections.push_back(ring(s.x, s.cy, 0.0, s.r, s.r * 0.9, angles));

    const int firstCabin = 7;  // segment from x = -0.44
    auto groupOf = [&](int segment, int corner) {
        double a = angles[(size_t)corner];
        double b = angles[(size_t)(corner + 1) % angles.size()];
        double mid = corner + 1 == (int)angles.size() ? (a + 360.0) * 0.5 : (a + b) * 0.5;
        double side = mid > 180.0 ? 360.0 - mid : mid;  // 0 at the top, 180 at the bottom
        bool windscreen = (segment == 4 || segment == 5) && side < 54.0;
        bool cabinWindow = segment >= firstCabin && segment < firstCabin + 9 && (segment - firstCabin) % 2 == 1 &&
                           side > 54.0 && side < 66.0;
        if (windscreen || cabinWindow)
            return kWindowsGroup;
        if (side > 80.0 && side < 100.0)
            return kStripeGroup;
        return kFuselageGroup;
    };
    addLoft(model, sections, groupOf, kFuselageGroup);
}

// A convex airfoil in its own (chord, thickness) plane, leading edge at 0, chord 1,
// thickness 1, corners in order around it.
const std::vector<std::pair<double, double>> kAirfoil = {
    {0.0, 0.0}, {0.08, 0.42}, {0.3, 0.5}, {1.0, 0.0}, {0.3, -0.32}, {0.08, -0.28}};

// A section of a lifting surface: leading edge at le, chord along chordDir, thickness along
// thickDir.
std::vector<Point> airfoil(Point le, Point chordDir, Point thickDir, double chord, double thickness)
{
    std::vector<Point> points;
    for (const auto& c : kAirfoil)
        points.push_back(le + chordDir * (c.first * chord) + thickDir * (c.second * thickness));
    return points;
}

// A tapered surface from root through a break to the tip, mirrored to both sides when z is
// the span; the piece beyond the break takes tipGroup. Chord and thickness keep their ratio
// along the span, so every side face is a planar trapezoid.
void addSurface(Model& model, Point rootLe, Point breakLe, Point tipLe, double rootChord, double tipChord,
                double thicknessRatio, Point chordDir, Point thickDir, int group, int tipGroup, double breakAt)
{
    double breakChord = rootChord + (tipChord - rootChord) * breakAt;
    std::vector<std::vector<Point>> sections = {
        airfoil(rootLe, chordDir, thickDir, rootChord, rootChord * thicknessRatio),
        airfoil(breakLe, chordDir, thickDir, breakChord, breakChord * thicknessRatio),
        airfoil(tipLe, chordDir, thickDir, tipChord, tipChord * thicknessRatio)};
    addLoft(model, sections, [&](int segment, int) { return segment == 0 ? group : tipGroup; }, tipGroup);
}

Point lerp(Point a, Point b, double t) { return a + (b - a) * t; }

void addWingsAndTail(Model& model)
{
    const Point alongX{1, 0, 0}, up{0, 1, 0}, across{0, 0, 1};
    for (double side : {1.0, -1.0}) {
        // Low wing with dihedral, tapered, blue tips.
        Point root{-0.20, -0.095, 0.06 * side}, tip{-0.10, -0.035, 1.0 * side};
        double brk = 0.9;
        addSurface(model, root, lerp(root, tip, brk), tip, 0.42, 0.20, 0.13, alongX, up, kWingsGroup, kWingTips, brk);
        // Tailplane on the tail cone.
        Point tRoot{0.74, 0.050, 0.02 * side}, tTip{0.84, 0.060, 0.31 * side};
        addSurface(model, tRoot, lerp(tRoot, tTip, 0.85), tTip, 0.22, 0.12, 0.12, alongX, up, kTailplaneGroup,
                   kFinGroup, 0.85);
    }
    // The fin, swept back, along +y; its thickness runs along z.
    Point fRoot{0.62, 0.04, 0.0}, fTip{0.88, 0.36, 0.0};
    std::vector<std::vector<Point>> fin = {airfoil(fRoot, alongX, across, 0.34, 0.034),
                                           airfoil(fTip, alongX, across, 0.15, 0.015)};
    addLoft(model, fin, [](int, int) { return kFinGroup; }, kFinGroup);
}

void addNacelle(Model& model, double hubZ)
{
    struct Station { double x, r; };
    const Station stations[] = {{-0.27, 0.052}, {-0.23, 0.068}, {-0.16, 0.075}, {0.05, 0.075},
                                {0.20, 0.066}, {0.34, 0.042}, {0.44, 0.016}};
    std::vector<double> angles = evenAngles(14);
    std::vector<std::vector<Point>> sections;
    for (const Station& s : stations)
        sections.push_back(ring(s.x, kPropellerPivotY, hubZ, s.r, s.r, angles));
    addLoft(model, sections, [](int segment, int) { return segment == 0 ? kCowlingsGroup : kNacellesGroup; },
            kCowlingsGroup);
}

Model makeBody()
{
    Model model(kBodyGroups);
    addFuselage(model);
    addWingsAndTail(model);
    addNacelle(model, kPropellerPivotZ);
    addNacelle(model, kSecondPropellerPivotZ);
    return model;
}

// ---- the propeller: three pitched blades and a spinner on the first hub ----

Model makePropeller()
{
    Model model(kSpinnerGroup + 1);
    const Point hub{-0.285, kPropellerPivotY, kPropellerPivotZ};
    const Point alongX{1, 0, 0};
    const double pitch = 28.0 * kPi / 180.0;
    for (int blade = 0; blade < 3; blade++) {
        double a = blade * 2.0 * kPi / 3.0 + 0.3;
        Point radial{0, std::cos(a), std::sin(a)};
        Point tangent = cross(alongX, radial);
        Point chordDir = tangent * std::cos(pitch) + alongX * std::sin(pitch);
        Point thickDir = tangent * -std::sin(pitch) + alongX * std::cos(pitch);
        auto section = [&](double r, double chord) {
            Point c = hub + radial * r;
            double t = chord * 0.22;
            return std::vector<Point>{c + chordDir * (chord * 0.5), c + thickDir * (t * 0.5),
                                      c + chordDir * (-chord * 0.5), c + thickDir * (-t * 0.5)};
        };
        addLoft(model, {section(0.03, 0.040), section(0.14, 0.036), section(0.205, 0.020)},
                [](int, int) { return kBladesGroup; }, kBladesGroup);
    }
    std::vector<double> angles = evenAngles(12);
    const double y = kPropellerPivotY, z = kPropellerPivotZ;
    std::vector<std::vector<Point>> spinner = {ring(-0.262, y, z, 0.050, 0.050, angles),
                                               ring(-0.300, y, z, 0.044, 0.044, angles),
                                               ring(-0.330, y, z, 0.030, 0.030, angles),
                                               {{-0.360, y, z}}};
    addLoft(model, spinner, [](int, int) { return kSpinnerGroup; }, kSpinnerGroup);
    return model;
}

// ---- writing the mesh text format ----

// Formats a coordinate with five decimals, never as "-0.00000".
std::string number(double v)
{
    char text[32];
    snprintf(text, sizeof text, "%.5f", v);
    if (std::string(text) == "-0.00000")
        return "0.00000";
    return text;
}

bool writeModel(const Model& model, const char* path, const char* title)
{
    std::string vertices, normals, faces;
    int next = 1;
    for (size_t g = 0; g < model.groups.size(); g++) {
        faces += "g\n";
        for (const std::vector<Point>& corners : model.groups[g]) {
            Point n = newellNormal(corners);
            n = n * (1.0 / std::sqrt(dot(n, n)));
            // A face with too many corners for one line is split into a fan of convex pieces.
            for (size_t start = 1; start + 1 < corners.size(); start += kMaxCornersPerLine - 2) {
                size_t end = start + kMaxCornersPerLine - 2;
                if (end > corners.size() - 1)
                    end = corners.size() - 1;
                std::vector<Point> piece = {corners[0]};
                for (size_t i = start; i <= end; i++)
                    piece.push_back(corners[i]);
                std::string line = "f";
                for (const Point& p : piece) {
                    vertices += "v " + number(p.x) + " " + number(p.y) + " " + number(p.z) + "\n";
                    normals += "n " + number(n.x) + " " + number(n.y) + " " + number(n.z) + "\n";
                    line += " " + std::to_string(next++);
                }
                faces += line + "\n";
            }
        }
    }
    FILE* file = fopen(path, "wb");
    if (file == nullptr) {
        fprintf(stderr, "model_generator: cannot write %s\n", path);
        return false;
    }
    fprintf(file, "# %s\n", title);
    fputs(vertices.c_str(), file);
    fputs(normals.c_str(), file);
    fputs(faces.c_str(), file);
    return fclose(file) == 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: model_generator <cessna.txt> <propeller.txt>\n");
        return 2;
    }
    bool ok = writeModel(makeBody(), argv[1], "brinewings twin");
    ok = writeModel(makePropeller(), argv[2], "brinewings propeller") && ok;
    return ok ? 0 : 1;
}

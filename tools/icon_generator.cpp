// icon_generator.cpp -- draws the program's icon: the twin-propeller aircraft seen from above,
// nose up, over a rounded square of sea. Writes one PNG per hicolor size and a C++ table of
// the same pictures as ARGB words, which the program hands to the window manager.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace {

struct Colour {
    double r, g, b, a;
};

// The model's own colours, so the icon looks like the aircraft in flight.
const Colour kYellow = {1.0, 0.86, 0.0, 1.0};
const Colour kBlue = {0.0, 0.15, 0.95, 1.0};
const Colour kBlack = {0.05, 0.05, 0.08, 1.0};
const Colour kPurple = {0.8, 0.4, 0.8, 1.0};
const Colour kRed = {0.95, 0.1, 0.05, 1.0};
const Colour kBladeDisc = {0.85, 0.85, 0.9, 0.55};
const Colour kShadow = {0.0, 0.05, 0.15, 0.35};

// The hicolor sizes; tools/CMakeLists.txt installs the same list.
const int kPngSizes[] = {16, 24, 32, 48, 64, 128, 256};
// Sizes handed to the window manager (_NET_WM_ICON): enough for task bars and switchers.
const int kWindowIconSizes[] = {16, 32, 48, 64};
const int kSamples = 4;  // per pixel and axis: 16 samples smooth the edges

bool inEllipse(double x, double y, double cx, double cy, double rx, double ry)
{
    double dx = (x - cx) / rx, dy = (y - cy) / ry;
    return dx * dx + dy * dy <= 1.0;
}

bool inBox(double x, double y, double x0, double y0, double x1, double y1)
{
    return x >= x0 && x <= x1 && y >= y0 && y <= y1;
}

// A wing-like trapezoid, symmetric about x = 0: the chord runs from yFront to yBack at the
// root and narrows toward the tips at |x| = span, whose leading edge is swept back by sweep.
bool inWing(double x, double y, double span, double yFront, double yBack, double tipChord, double sweep)
{
    double t = std::fabs(x) / span;
    if (t > 1.0)
        return false;
    double front = yFront - sweep * t;
    double back = front - ((yFront - yBack) * (1.0 - t) + tipChord * t);
    return y <= front && y >= back;
}

Colour over(Colour under, Colour top)
{
    double a = top.a;
    return {under.r * (1 - a) + top.r * a, under.g * (1 - a) + top.g * a, under.b * (1 - a) + top.b * a,
            under.a + (1 - under.a) * a};
}

// The aircraft in the square [-1, 1]², y up, nose toward +y. Later shapes cover earlier ones.
Colour aircraftAt(double x, double y, Colour c)
{
    bool wing = inWing(x, y, 0.9, 0.18, -0.08, 0.14, 0.06);
    bool tail = inWing(x, y, 0.36, -0.55, -0.72, 0.09, 0.04);
    bool fuselage = inEllipse(x, y, 0.0, 0.02, 0.11, 0.8) && y > -0.78;
    bool nacelle = inEllipse(std::fabs(x), y, 0.36, 0.16, 0.075, 0.3);
    // A soft shadow on the sea, offset down and right.
    double sx = x - 0.06, sy = y + 0.06;
    if (inWing(sx, sy, 0.9, 0.18, -0.08, 0.14, 0.06) || inEllipse(sx, sy, 0.0, 0.02, 0.11, 0.8) ||
        inWing(sx, sy, 0.36, -0.55, -0.72, 0.09, 0.04))
        c = over(c, kShadow);
    if (wing || tail || fuselage || nacelle)
        c = over(c, kYellow);
    if (wing && std::fabs(x) > 0.78)
        c = over(c, kBlue);                                 // wing tips
    if (inBox(x, y, -0.018, -0.78, 0.018, -0.45))
        c = over(c, kBlue);                                 // the fin, edge on
    if (fuselage && y > -0.4 && y < -0.3)
        c = over(c, kPurple);                               // the stripe
    if (inEllipse(x, y, 0.0, 0.42, 0.07, 0.13))
        c = over(c, kBlack);                                // the cabin windows
    if (inEllipse(std::fabs(x), y, 0.36, 0.42, 0.06, 0.06))
        c = over(c, kBlack);                                // cowlings
    if (inEllipse(std::fabs(x), y, 0.36, 0.5, 0.24, 0.035))
        c = over(c, kBladeDisc);                            // spinning blades
    if (inEllipse(std::fabs(x), y, 0.36, 0.5, 0.035, 0.035))
        c = over(c, kRed);                                  // spinners
    return c;
}

// The sea behind: a rounded square, lighter toward the top, transparent outside.
Colour backgroundAt(double x, double y)
{
    const double half = 0.96, radius = 0.3;
    double qx = std::fabs(x) - (half - radius), qy = std::fabs(y) - (half - radius);
    double ox = qx > 0 ? qx : 0, oy = qy > 0 ? qy : 0;
    if (ox * ox + oy * oy > radius * radius)
        return {0, 0, 0, 0};
    double t = (y + 1.0) * 0.5;
    return {0.05 + 0.12 * t, 0.3 + 0.25 * t, 0.5 + 0.25 * t, 1.0};
}

// One icon of side n as RGBA bytes, rows from the top.
std::vector<unsigned char> drawIcon(int n)
{
    std::vector<unsigned char> rgba((size_t)n * n * 4);
    for (int row = 0; row < n; row++) {
        for (int col = 0; col < n; col++) {
            double r = 0, g = 0, b = 0, a = 0;
            for (int sy = 0; sy < kSamples; sy++) {
                for (int sx = 0; sx < kSamples; sx++) {
                    double x = ((col + (sx + 0.5) / kSamples) / n) * 2.0 - 1.0;
                    double y = 1.0 - ((row + (sy + 0.5) / kSamples) / n) * 2.0;
                    Colour c = backgroundAt(x, y);
                    if (c.a > 0)
                        c = aircraftAt(x, y, c);
                    // Average premultiplied, so transparent samples do not darken the edge.
                    r += c.r * c.a;
                    g += c.g * c.a;
                    b += c.b * c.a;
                    a += c.a;
                }
            }
            unsigned char* p = &rgba[((size_t)row * n + col) * 4];
            double count = kSamples * kSamples;
            p[3] = (unsigned char)std::lround(a / count * 255.0);
            if (a > 0) {
                p[0] = (unsigned char)std::lround(r / a * 255.0);
                p[1] = (unsigned char)std::lround(g / a * 255.0);
                p[2] = (unsigned char)std::lround(b / a * 255.0);
            }
        }
    }
    return rgba;
}

bool writeTable(const std::string& path)
{
    FILE* file = fopen(path.c_str(), "w");
    if (file == nullptr) {
        fprintf(stderr, "icon_generator: cannot write %s\n", path.c_str());
        return false;
    }
    fprintf(file, "// Generated by icon_generator: the window icon as _NET_WM_ICON wants it, one\n"
                  "// picture after another, each its width, its height and its ARGB pixels.\n");
    fprintf(file, "static const unsigned int kWindowIcon[] = {\n");
    for (int n : kWindowIconSizes) {
        std::vector<unsigned char> rgba = drawIcon(n);
        fprintf(file, "    %du, %du,\n", n, n);
        for (int i = 0; i < n * n; i++) {
            const unsigned char* p = &rgba[(size_t)i * 4];
            unsigned int argb = (unsigned)p[3] << 24 | (unsigned)p[0] << 16 | (unsigned)p[1] << 8 | p[2];
            fprintf(file, "%s0x%08xu,%s", i % 8 == 0 ? "    " : "", argb, i % 8 == 7 ? "\n" : " ");
        }
    }
    fprintf(file, "};\n");
    return fclose(file) == 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: icon_generator <folder for brinewings-N.png> <window icon table>\n");
        return 2;
    }
    bool ok = true;
    for (int n : kPngSizes) {
        std::string path = std::string(argv[1]) + "/brinewings-" + std::to_string(n) + ".png";
        std::vector<unsigned char> rgba = drawIcon(n);
        if (stbi_write_png(path.c_str(), n, n, 4, rgba.data(), n * 4) == 0) {
            fprintf(stderr, "icon_generator: cannot write %s\n", path.c_str());
            ok = false;
        }
    }
    return writeTable(argv[2]) && ok ? 0 : 1;
}

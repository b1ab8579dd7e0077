// texture_generator.cpp -- writes the program's sea and sky images, the same bytes on every run
//
// Usage: texture_generator <sea.jpg> <sky.jpg>
// The sea is open water seen from above, one image over the whole disk of 1000 world units.
// The sky is a panorama wrapped once around the sky cylinder (radius 495, from y = 995 at the
// top row down to y = -5): deepening blue overhead, a bright haze at the horizon, clouds.
#include <stb_image_write.h>
#include <stb_perlin.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

static const int kSeaSide = 1024;        // pixels, square; rows of 3072 bytes
static const int kSkyWidth = 2048;       // pixels around the cylinder; rows of 6144 bytes
static const int kSkyHeight = 1024;      // pixels from the upper rim to the lower rim
static const int kJpegQuality = 90;  // 90 and below store colour at half resolution: quicker to decode
static const double kPi = 3.14159265358979323846;

static const double kSeaSize = 1000.0;   // world units covered by the sea image
static const double kSkyRadius = 495.0;  // world units
static const double kSkyTop = 995.0;     // world y of the top row
static const double kSkyDrop = 1000.0;   // world units from the top row to the bottom row
static const double kEyeHeight = 1.0;    // the usual flying altitude, world units

struct Rgb {
    double r, g, b;
};

static Rgb mix(Rgb a, Rgb b, double t)
{
    return Rgb{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

static double clamp01(double v)
{
    return v < 0.0 ? 0.0 : (v > 1.0 ? 1.0 : v);
}

static double smoothstep(double edge0, double edge1, double x)
{
    double t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0 - 2.0 * t);
}

static unsigned char toByte(double v)
{
    return (unsigned char)std::lround(clamp01(v) * 255.0);
}

static void putPixel(std::vector<unsigned char>& image, int width, int x, int y, Rgb c)
{
    size_t at = ((size_t)y * (size_t)width + (size_t)x) * 3;
    image[at + 0] = toByte(c.r);
    image[at + 1] = toByte(c.g);
    image[at + 2] = toByte(c.b);
}

static double noise(double x, double y, double z)
{
    return (double)stb_perlin_noise3((float)x, (float)y, (float)z, 0, 0, 0);
}

// Sum of octaves of Perlin noise, roughly in -1 .. 1. Octaves whose wavelength is shorter than
// twice the footprint of one pixel are left out (the last one faded), so distant, stretched
// parts of the image do not alias into speckle.
static double fbm(double x, double y, double seed, int octaves, double footprint)
{
    double sum = 0.0, amplitude = 0.5, frequency = 1.0, norm = 0.0;
    for (int i = 0; i < octaves; i++) {
        double wavelength = 1.0 / frequency;
        double keep = smoothstep(2.0 * footprint, 4.0 * footprint, wavelength);
        if (keep <= 0.0)
            break;
        sum += amplitude * keep * noise(x * frequency, y * frequency, seed + (double)i * 7.31);
        norm += amplitude;
        amplitude *= 0.5;
        frequency *= 2.0;
    }
    return norm > 0.0 ? sum / norm * 1.6 : 0.0;
}

// ---- sea ----

// Height of the water at world point (x, z): long swells from one wind direction, bent by
// noise so they do not look ruled, shorter crossing waves and noisy chop on top.
static double seaHeight(double x, double z)
{
    double warpX = fbm(x / 50.0, z / 50.0, 11.0, 3, 0.0) * 8.0;
    double warpZ = fbm(x / 50.0, z / 50.0, 23.0, 3, 0.0) * 8.0;
    double wx = x + warpX, wz = z + warpZ;
    // Wind from the south-west: swells of about 14 units, crossing waves of about 6 units,
    // their strength varying over the sea.
    double strength = 0.75 + 0.25 * fbm(x / 120.0, z / 120.0, 31.0, 2, 0.0);
    double swell = std::sin((wx * 0.8 + wz * 0.6) * 2.0 * kPi / 14.0);
    double cross = std::sin((wx * -0.45 + wz * 0.89) * 2.0 * kPi / 6.0 + warpX * 0.5);
    double chop = fbm(x / 4.0, z / 4.0, 41.0, 3, 0.0);
    return (swell * 0.6 + cross * 0.3) * strength + chop * 0.4;
}

static void makeSea(std::vector<unsigned char>& image)
{
    const double unitsPerPixel = kSeaSize / (double)kSeaSide;
    const Rgb deep = {0.03, 0.17, 0.34};
    const Rgb open = {0.06, 0.30, 0.50};
    const Rgb greenTint = {0.08, 0.40, 0.48};
    const Rgb foam = {0.88, 0.93, 0.96};
    const Rgb skyGlint = {0.62, 0.76, 0.90};
    for (int row = 0; row < kSeaSide; row++) {
        // The image's top row lies at the +z rim of the disk, its left column at -x.
        double z = kSeaSize * 0.5 - ((double)row + 0.5) * unitsPerPixel;
        for (int col = 0; col < kSeaSide; col++) {
            double x = -kSeaSize * 0.5 + ((double)col + 0.5) * unitsPerPixel;
            // Broad patches of darker and lighter, greener water.
            double patch = fbm(x / 160.0, z / 160.0, 3.0, 5, 0.0);
            double tint = fbm(x / 60.0, z / 60.0, 5.0, 3, 0.0);
            Rgb water = mix(deep, open, clamp01(0.5 + patch * 0.8));
            water = mix(water, greenTint, clamp01(tint * 0.9));
            // Waves show by their slope toward the sun (from +x, above, -z) and by height.
            double h = seaHeight(x, z);
            double dhdx = (seaHeight(x + unitsPerPixel, z) - h) / unitsPerPixel;
            double dhdz = (seaHeight(x, z + unitsPerPixel) - h) / unitsPerPixel;
            double facing = (dhdx * -0.3 + dhdz * 1.0) * 0.7;
            double light = 1.0 + facing + h * 0.28;
            Rgb c = {water.r * light, water.g * light, water.b * light};
            // Sky reflected on the faces turned away from the sun.
            c = mix(c, skyGlint, clamp01(-facing * 0.8) * 0.35 + smoothstep(0.7, 1.3, h) * 0.15);
            // Whitecaps on the highest crests where the wind gusts, in flecks a few texels wide.
            double gust = fbm(x / 30.0, z / 30.0, 61.0, 2, 0.0);
            double fleck = fbm(x / 2.5, z / 2.5, 71.0, 2, 0.0);
            double cap = smoothstep(0.95, 1.3, h + gust * 0.6) * smoothstep(0.0, 0.35, fleck);
            c = mix(c, foam, cap * 0.8);
            putPixel(image, kSeaSide, col, row, c);
        }
    }
}

// ---- sky ----

// Colour of the clear sky at an elevation above the horizon, in degrees, seen from the
// middle of the scene: a bright haze at the horizon deepening to blue overhead.
static Rgb clearSky(double elevation)
{
    struct Stop {
        double degrees;
        Rgb colour;
    };
    static const Stop stops[] = {
        {-2.0, {0.86, 0.80, 0.90}}, {0.0, {0.95, 0.89, 0.95}}, {2.0, {0.90, 0.88, 0.95}},
        {6.0, {0.75, 0.80, 0.93}},  {14.0, {0.55, 0.68, 0.91}}, {28.0, {0.36, 0.54, 0.87}},
        {45.0, {0.23, 0.42, 0.81}}, {70.0, {0.12, 0.28, 0.68}},
    };
    const int count = (int)(sizeof stops / sizeof stops[0]);
    if (elevation <= stops[0].degrees)
        return stops[0].colour;
    for (int i = 1; i < count; i++)
        if (elevation <= stops[i].degrees) {
            double t = (elevation - stops[i - 1].degrees) / (stops[i].degrees - stops[i - 1].degrees);
            return mix(stops[i - 1].colour, stops[i].colour, smoothstep(0.0, 1.0, t));
        }
    return stops[count - 1].colour;
}

static void makeSky(std::vector<unsigned char>& image)
{
    const double cloudHeight = 40.0;    // world units above the eye of the cloud layer
    const double cloudScale = 90.0;     // world units per noise unit in the cloud layer
    for (int row = 0; row < kSkyHeight; row++) {
        double y = kSkyTop - ((double)row + 0.5) * kSkyDrop / (double)kSkyHeight;
        double elevation = std::atan2(y - kEyeHeight, kSkyRadius);
        double degrees = elevation * 180.0 / kPi;
        double yNext = y - kSkyDrop / (double)kSkyHeight;
        double elevationNext = std::atan2(yNext - kEyeHeight, kSkyRadius);
        Rgb base = clearSky(degrees);
        for (int col = 0; col < kSkyWidth; col++) {
            // Around the cylinder: column 0 faces +z, a quarter of the way faces +x. Sampling
            // the cloud layer by the direction of view makes the two edges meet seamlessly.
            double azimuth = 2.0 * kPi * ((double)col + 0.5) / (double)kSkyWidth;
            Rgb c = base;
            if (elevation > 0.004) {
                double reach = cloudHeight / std::tan(elevation);
                double footprintRadial = std::fabs(cloudHeight / std::tan(std::max(elevationNext, 0.002)) - reach);
                double footprintAround = reach * 2.0 * kPi / (double)kSkyWidth;
                double footprint = std::max(footprintRadial, footprintAround) / cloudScale;
                double px = std::sin(azimuth) * reach / cloudScale;
                double pz = std::cos(azimuth) * reach / cloudScale;
                double density = fbm(px, pz, 101.0, 6, footprint);
                double cover = smoothstep(0.05, 0.45, density);
                double thick = smoothstep(0.2, 0.8, density);
                Rgb cloud = mix(Rgb{0.98, 0.97, 0.99}, Rgb{0.72, 0.70, 0.80}, thick * 0.7);
                // Far clouds sink into the horizon haze.
                double haze = 1.0 - smoothstep(0.5, 12.0, degrees);
                cloud = mix(cloud, clearSky(0.0), haze * 0.7);
                c = mix(c, cloud, cover * (1.0 - haze * 0.5));
            }
            putPixel(image, kSkyWidth, col, row, c);
        }
    }
}

static bool writeJpeg(const char* file, int width, int height, const std::vector<unsigned char>& image)
{
    if (stbi_write_jpg(file, width, height, 3, image.data(), kJpegQuality) == 0) {
        fprintf(stderr, "texture_generator: couldn't write %s\n", file);
        return false;
    }
    return true;
}

int main(int argc, char** argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: texture_generator <sea.jpg> <sky.jpg>\n");
        return 2;
    }
    std::vector<unsigned char> sea((size_t)kSeaSide * kSeaSide * 3);
    makeSea(sea);
    if (!writeJpeg(argv[1], kSeaSide, kSeaSide, sea))
        return 1;
    std::vector<unsigned char> sky((size_t)kSkyWidth * kSkyHeight * 3);
    makeSky(sky);
    if (!writeJpeg(argv[2], kSkyWidth, kSkyHeight, sky))
        return 1;
    return 0;
}

// flight_test.cpp -- the flight tick against exact numbers, and the digest of a long flight
// and of the three mountains that must come out the same on every CPU
#include "common/random.h"
#include "flight/flight.h"
#include "mountains/mountains.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

class FlightTest : public testing::Test {
protected:
    void SetUp() override { resetFlight(); }
};

namespace {
struct FlightValues {
    Vec3 eye, lookAt;
    float tick[6];
    int toggles[4];
};
FlightValues flightValues()
{
    return {eye, lookAt, {heading, steer, speed, propTime, turnGain, climbStep},
            {wireframe, referenceScene, fogOn, mountainsOn}};
}
// The values the program starts with.
const FlightValues kAtStart = {{-1.0f, 1.0f, -1.0f}, {0.0f, 1.0f, 0.0f},
                               {0.0f, 0.0f, 0.1f, 0.0f, 20.0f, 0.2f}, {0, 0, 1, 1}};
}  // namespace

TEST(FlightReset, PutsEveryVariableBackToItsStartValue)
{
    eye = lookAt = {5.0f, 5.0f, 5.0f};
    heading = steer = speed = propTime = turnGain = climbStep = 3.0f;
    wireframe = referenceScene = fogOn = mountainsOn = 7;
    resetFlight();
    FlightValues now = flightValues();
    EXPECT_EQ(memcmp(&now, &kAtStart, sizeof now), 0);
}

TEST_F(FlightTest, FirstTickWithoutSteeringAimsAndMovesAlongPlusZ)
{
    advanceFlight();
    EXPECT_EQ(lookAt.x, -1.0f);
    EXPECT_EQ(lookAt.y, 1.0f);
    EXPECT_EQ(lookAt.z, 0.0f);
    EXPECT_EQ(eye.x, -1.0f);
    EXPECT_EQ(eye.y, 1.0f);
    EXPECT_EQ(eye.z, -0.9f);
    EXPECT_EQ(propTime, 0.001f);
    EXPECT_EQ(heading, 0.0f);
}

// Steer 0.3 turns 0.006 a tick; the eye moves 0.1 along the new heading, the aim one unit
// ahead of where it was. Worked out by hand from the start (-1, 1, -1).
TEST_F(FlightTest, PositionsAfterKnownTicksOfAGentleRightTurn)
{
    steer = 0.3f;
    const struct { int tick; float x, z, lookX, lookZ; } expected[] = {
        {1, -1.000600f, -0.900002f, -1.006000f, -0.000018f},
        {25, -1.194620f, 1.490067f, -1.329114f, 2.379961f},
        {50, -1.759166f, 3.923089f, -2.025134f, 4.782892f}};
    int tick = 0;
    for (const auto& e : expected) {
        for (; tick < e.tick; tick++)
            advanceFlight();
        EXPECT_NEAR(eye.x, e.x, 1e-5f) << tick;
        EXPECT_NEAR(eye.z, e.z, 1e-5f) << tick;
        EXPECT_NEAR(lookAt.x, e.lookX, 1e-5f) << tick;
        EXPECT_NEAR(lookAt.z, e.lookZ, 1e-5f) << tick;
    }
}

TEST_F(FlightTest, FullLeftSteeringTurnsByTwoHundredthsPerTick)
{
    steer = -1.0f;
    advanceFlight();
    EXPECT_EQ(heading, 0.02f);
    advanceFlight();
    EXPECT_EQ(heading, (float)(0.02 + 0.02f));
    // A full circle takes about 314 ticks; its radius is speed / 0.02 = 5 units.
    resetFlight();
    steer = -1.0f;
    float minX = eye.x, maxX = eye.x;
    for (int i = 0; i < 315; i++) {
        advanceFlight();
        minX = std::fmin(minX, eye.x);
        maxX = std::fmax(maxX, eye.x);
    }
    EXPECT_NEAR(maxX - minX, 10.0f, 0.05f);
    EXPECT_GT(heading, 2.0f * 3.14159f);
}

TEST_F(FlightTest, RightSteeringTurnsTheOtherWayAndTheHeadingIsNeverWrapped)
{
    steer = 1.0f;
    for (int i = 0; i < 1000; i++)
        advanceFlight();
    EXPECT_NEAR(heading, -20.0f, 1e-3f);
}


// One digest of a long scripted flight and of the three built mountains. The arithmetic is
// part of the behaviour: the same constant must come out on x86-64, arm64 and armhf (CI runs
// this test under qemu-user), and a change to how any step rounds changes it.
namespace {

struct Digest {
    uint64_t h = 1469598103934665603ull;  // FNV-1a, 64 bits

    void add(uint32_t word)
    {
        for (int byte = 0; byte < 4; byte++) {
            h ^= (word >> (8 * byte)) & 0xffu;
            h *= 1099511628211ull;
        }
    }
    void add(float f)
    {
        uint32_t bits;
        std::memcpy(&bits, &f, sizeof bits);
        add(bits);
    }
    void add(int i) { add((uint32_t)i); }
    void add(const Vec3& v)
    {
        add(v.x);
        add(v.y);
        add(v.z);
    }
};

// 100,000 ticks: the steering sweeps the whole range and back, the speed steps through its
// levels, and every tick's position and heading go into the digest.
void flyScriptedFlight(Digest& d)
{
    resetFlight();
    for (int tick = 0; tick < 100000; tick++) {
        if (tick % 500 == 0)
            steer = (float)((double)((tick / 500) % 41 - 20) / 20.0);
        if (tick % 7000 == 0)
            speed = (float)((double)speed + ((tick / 7000) % 4 < 2 ? 0.05 : -0.05));
        advanceFlight();
        d.add(eye);
        d.add(lookAt);
        d.add(heading);
        d.add(propTime);
    }
}

void addMountains(Digest& d)
{
    seedRandom(2);
    buildMountains();
    for (int slot = 0; slot < kMountainSlots; slot++) {
        const MountainSlot& m = mountainSlots[slot];
        for (int i = 0; i < kMountainEntries; i++) {
            d.add(m.vertices[i]);
            d.add(m.normals[i]);
            for (int c : m.quads[i].corner)
                d.add(c);
        }
    }
}

}  // namespace

TEST(SameOnEveryCpu, FlightAndMountainsGiveOneDigest)
{
    Digest flight;
    flyScriptedFlight(flight);
    Digest mountains;
    addMountains(mountains);
    Digest both;
    both.add((uint32_t)(flight.h >> 32));
    both.add((uint32_t)flight.h);
    both.add((uint32_t)(mountains.h >> 32));
    both.add((uint32_t)mountains.h);
    printf("flight %016llx, mountains %016llx, digest %016llx\n", (unsigned long long)flight.h,
           (unsigned long long)mountains.h, (unsigned long long)both.h);
    EXPECT_EQ(both.h, 0xf343e8d6f0c4495aull);
}

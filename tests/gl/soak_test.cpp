// soak_test.cpp -- many ticks and frames with random input: the flight state stays finite and
// the resident memory does not grow. BRINEWINGS_SOAK_TICKS sets the length (default 1500);
// scripts/soak.sh runs 50,000 under the sanitizer build.
#include "common/window_size.h"
#include "flight/flight.h"
#include "flight/flight_input.h"
#include "render/frame_draw.h"
#include "render/rendering_gl.h"
#include "support/gl_helpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

#if defined(__SANITIZE_ADDRESS__)
// From the sanitizer runtime's allocator interface (g++ ships no header for it).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

// Under AddressSanitizer freed blocks sit in a quarantine and the resident size grows by
// design; the allocator's count of live heap bytes is the measure there.
static long residentKiB()
{
#if defined(__SANITIZE_ADDRESS__)
    return (long)(__sanitizer_get_current_allocated_bytes() / 1024);
#endif
    long pages = 0, resident = 0;
    FILE* statm = std::fopen("/proc/self/statm", "r");
    if (statm != nullptr) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return resident * 4;
}

static bool flightIsFinite()
{
    for (float v : {eye.x, eye.y, eye.z, lookAt.x, lookAt.y, lookAt.z, heading, steer, speed, propTime})
        if (!std::isfinite(v))
            return false;
    return true;
}

TEST(Soak, RandomInputOverManyTicksKeepsTheFlightFiniteAndTheMemoryFlat)
{
    const char* setting = std::getenv("BRINEWINGS_SOAK_TICKS");
    const long ticks = setting != nullptr ? std::atol(setting) : 1500;
    const long warmUp = ticks / 5;
    prepareFirstFrame();
    reshape(400, 400);  // a small window keeps software rendering quick

    // Every bound key but q (which ends the run), a few unbound ones, every special key and
    // numbers past them.
    const unsigned char keys[] = {'w', 'W', 's', 'S', 'b', 'B', 'm', 'M', 'x', '1', ' ', 27};
    std::mt19937 random(12345);
    long residentAfterWarmUp = 0;
    for (long tick = 0; tick < ticks; tick++) {
        switch (random() % 8) {
        case 0: applyFlightEvent({0, kFlightKey, keys[random() % sizeof keys], 0}); break;
        case 1: applyFlightEvent({0, kFlightSpecial, (int)(random() % 7), 0}); break;
        case 2: applyFlightEvent({0, kFlightPointer, (int)(random() % 1400) - 100, winWidth}); break;
        case 3:
            if (random() % 50 == 0)
                reshape((int)(random() % 3) * 200, (int)(random() % 3) * 200);  // sizes include 0
            break;
        default: break;
        }
        if (winWidth == 0 || winHeight == 0)
            reshape(400, 400);
        advanceFlight();
        drawFrame();
        glFinish();
        ASSERT_TRUE(flightIsFinite()) << "tick " << tick;
        ASSERT_EQ(modelviewDepth(), 1) << "tick " << tick;
        if (tick == warmUp) {
            glFinish();
            residentAfterWarmUp = residentKiB();
        }
    }
    glFinish();
    long growth = residentKiB() - residentAfterWarmUp;
    std::printf("soak: %ld ticks and frames; memory in use after warm-up %ld KiB, growth %ld KiB\n",
                ticks, residentAfterWarmUp, growth);
    EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
    // A leak of even a few bytes per frame would show over the run; allocator noise stays small.
    EXPECT_LT(growth, 2048);
}

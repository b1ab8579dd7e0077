// environment_test.cpp -- the real binary: the generated sea and sky on screen, bad images
#include "support/e2e.h"
#include "support/flight_run.h"

#include <gtest/gtest.h>

TEST(Environment, SkyAboveTheHorizonSeaBelowAndFogOnlyChangesTheSea)
{
    DataFolder data;
    FlightRun run = flyFlight(data, "0 pointer 600 1200\n30 key b\n32 quit\n", {30, 31}, "--offscreen");
    ASSERT_EQ(run.status, 0) << run.err;
    const Screenshot& fogged = run.shots[0];
    const Screenshot& clear = run.shots[1];

    // Top corners: the sky, blue. Bottom corners: the sea, dark blue.
    for (int x : {60, 1140}) {
        EXPECT_GT(fogged.b(x, 60), fogged.r(x, 60) + 40) << x;
        EXPECT_GT(fogged.b(x, 60), 150) << x;
        EXPECT_GT(fogged.b(x, 1140), fogged.r(x, 1140) + 40) << x;
        EXPECT_LT(fogged.r(x, 1140) + fogged.g(x, 1140) + fogged.b(x, 1140),
                  fogged.r(x, 60) + fogged.g(x, 60) + fogged.b(x, 60)) << x;
    }
    // Just below the horizon (about 100 units away) fog pulls the sea toward its pink-violet
    // colour; the sky above is not fogged.
    int row = 600 + 6;
    double foggedRed = 0.0, clearRed = 0.0;
    for (int x = 20; x < 300; x++) {
        foggedRed += fogged.r(x, row);
        clearRed += clear.r(x, row);
    }
    EXPECT_GT(foggedRed / 280.0, clearRed / 280.0 + 30.0);
    EXPECT_NEAR(fogged.b(60, 60), clear.b(60, 60), 12);
}

TEST(Environment, MissingOrBrokenImagesAreReportedAndTheProgramRunsOn)
{
    DataFolder data;
    data.remove("sky08.jpg");
    data.write("sea02.jpg", "\xFF\xD8\xFF\xE0 truncated");
    FlightRun run = flyFlight(data, "2 quit\n", {1}, "--offscreen");
    EXPECT_EQ(run.status, 0);
    const std::string& out = run.out;
    const Screenshot& shot = run.shots[0];
    EXPECT_NE(out.find("couldn't load texture sea02.jpg"), std::string::npos) << out;
    EXPECT_NE(out.find("couldn't load texture sky08.jpg"), std::string::npos) << out;
    EXPECT_LT(out.find("sea02.jpg"), out.find("sky08.jpg"));
    // Without images the sea and sky are drawn plain white (unlit, untextured).
    EXPECT_EQ(shot.r(60, 60) + shot.g(60, 60) + shot.b(60, 60), 3 * 255);
}

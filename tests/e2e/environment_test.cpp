// environment_test.cpp -- the real binary: the generated sea and sky on screen, bad images
#include "support/e2e.h"

#include <gtest/gtest.h>

TEST(Environment, SkyAboveTheHorizonSeaBelowAndFogOnlyChangesTheSea)
{
    DataFolder data;
    Program program(data.path);
    ASSERT_TRUE(program.waitForWindow());
    program.movePointer(600, 600);  // straight on
    Program::pause(0.5);
    // On a loaded machine the first frames can come late: wait for the sky to be drawn.
    Screenshot fogged = program.screenshot();
    for (int i = 0; i < 50 && fogged.b(60, 60) < 100; i++) {
        Program::pause(0.1);
        fogged = program.screenshot();
    }
    program.key("b");
    Program::pause(0.5);
    Screenshot clear = program.screenshot();
    program.key("q");
    ASSERT_TRUE(program.waitForExit());
    EXPECT_EQ(program.exitStatus(), 0);

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
    Program program(data.path);
    ASSERT_TRUE(program.waitForWindow());
    Program::pause(0.5);
    Screenshot shot = program.screenshot();
    program.key("q");
    ASSERT_TRUE(program.waitForExit());
    EXPECT_EQ(program.exitStatus(), 0);
    const std::string& out = program.output();
    EXPECT_NE(out.find("couldn't load texture sea02.jpg"), std::string::npos) << out;
    EXPECT_NE(out.find("couldn't load texture sky08.jpg"), std::string::npos) << out;
    EXPECT_LT(out.find("sea02.jpg"), out.find("sky08.jpg"));
    // Without images the sea and sky are drawn plain white (unlit, untextured).
    EXPECT_EQ(shot.r(60, 60) + shot.g(60, 60) + shot.b(60, 60), 3 * 255);
}

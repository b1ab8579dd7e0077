// shell_test.cpp -- the real binary: window, controls summary, keys and quitting
#include "support/e2e.h"

#include <gtest/gtest.h>

static const char* kControls =
    "== CONTROLS ==\n"
    "MOUSE\t\tDirection\n"
    "UP ARROW\tIncrease Altitude\n"
    "DOWN ARROW\tDecrease Altitude\n"
    "PAGE UP\t\tIncrease Speed\n"
    "PAGE DOWN\tDecrease Speed\n\n"
    "W\t\tToggle Wireframe\n"
    "S\t\tToggle Scene\n"
    "M\t\tToggle Mountains\n"
    "B\t\tToggle Fog\n\n"
    "F\t\tToggle Fullscreen\n\n"
    "Q\t\tQuit\n\n";

TEST(Shell, OpensItsWindowPrintsTheControlsAndQuitsOnQ)
{
    DataFolder data;
    Program program(data.path);
    ASSERT_TRUE(program.waitForWindow());
    EXPECT_EQ(program.title(), "brinewings");
    int width = 0, height = 0;
    program.size(width, height);
    EXPECT_EQ(width, 1200);
    EXPECT_EQ(height, 1200);
    program.key("q");
    ASSERT_TRUE(program.waitForExit());
    EXPECT_EQ(program.exitStatus(), 0);
    EXPECT_EQ(program.output(), kControls);
}

TEST(Shell, CapitalQQuitsAndForeignArgumentsAreIgnored)
{
    DataFolder data;
    Program program(data.path, {"--verbose", "extra", "-sync"});
    ASSERT_TRUE(program.waitForWindow());
    program.key("shift+q");
    ASSERT_TRUE(program.waitForExit());
    EXPECT_EQ(program.exitStatus(), 0);
    EXPECT_EQ(program.output(), kControls);
}

TEST(Shell, SAndWAndThePointerVisiblyChangeTheNextFrames)
{
    DataFolder data;
    Program program(data.path);
    ASSERT_TRUE(program.waitForWindow());
    // Full left steering flies a circle of radius 5 near the start, over the grid.
    program.movePointer(0, 600);
    program.key("s");
    Program::pause(0.5);
    Screenshot reference = program.screenshot();
    // The reference scene shows red, green or blue axis pixels, white grid lines.
    int whites = 0;
    for (int y = 0; y < reference.height; y += 4)
        for (int x = 0; x < reference.width; x += 4)
            whites += reference.r(x, y) > 200 && reference.g(x, y) > 200 && reference.b(x, y) > 200;
    EXPECT_GT(whites, 50);

    program.key("w");
    Program::pause(0.5);
    Screenshot wire = program.screenshot();
    program.key("w");

    program.movePointer(1199, 600);
    Program::pause(1.0);
    Screenshot turned = program.screenshot();

    program.key("q");
    ASSERT_TRUE(program.waitForExit());
    EXPECT_GT(reference.differenceTo(wire), 0.0);
    EXPECT_GT(reference.differenceTo(turned), 1.0);
}

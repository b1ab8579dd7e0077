// fullscreen_test.cpp -- F under a real window manager: the window fills the screen and back
#include "support/e2e.h"

#include <gtest/gtest.h>

TEST(FullScreen, FTogglesTheWindowToTheWholeScreenAndBackWhileTheFlightGoesOn)
{
    WindowManager manager;
    ASSERT_TRUE(WindowManager::ready());
    DataFolder data;
    Program program(data.path);
    ASSERT_TRUE(program.waitForWindow());
    program.movePointer(0, 600);
    int width = 0, height = 0;
    program.size(width, height);
    EXPECT_EQ(width, 1200);
    EXPECT_EQ(height, 1200);

    program.key("f");
    for (int i = 0; i < 40 && width == 1200; i++) {
        Program::pause(0.1);
        program.size(width, height);
    }
    EXPECT_EQ(width, 1920);   // the test server's screen
    EXPECT_EQ(height, 1920);
    EXPECT_TRUE(program.running());

    program.key("F");
    for (int i = 0; i < 40 && width == 1920; i++) {
        Program::pause(0.1);
        program.size(width, height);
    }
    EXPECT_EQ(width, 1200);
    EXPECT_EQ(height, 1200);
    EXPECT_TRUE(program.running());

    program.key("q");
    ASSERT_TRUE(program.waitForExit());
    EXPECT_EQ(program.exitStatus(), 0);
}

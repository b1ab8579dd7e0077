// fullscreen_test.cpp -- --fullscreen and F under a real window manager: the window fills the screen and back
#include "support/e2e.h"

#include <gtest/gtest.h>

TEST(FullScreen, StartsFullAndFTogglesTheWindowBackAndAgainWhileTheFlightGoesOn)
{
    // A user's rule for the window's class (keep it above others): it applies only if the
    // class is there when the window manager takes the window on.
    DataFolder data;
    data.write("rc.xml", "<openbox_config xmlns=\"http://openbox.org/3.4/rc\"><applications>"
                         "<application class=\"brinewings\"><layer>above</layer></application>"
                         "</applications></openbox_config>");
    WindowManager manager(data.path + "/rc.xml");
    ASSERT_TRUE(WindowManager::ready());
    Program program(data.path, {"--fullscreen"});
    ASSERT_TRUE(program.waitForWindow());
    EXPECT_NE(shell("xprop -id " + std::to_string(program.window()) + " _NET_WM_STATE").find("_NET_WM_STATE_ABOVE"),
              std::string::npos);
    program.movePointer(0, 600);
    int width = 0, height = 0;
    // --fullscreen, then F back to the window and f to full screen again.
    const char* keys[] = {"", "F", "f"};
    const int sides[] = {1920, 1200, 1920};  // the test server's screen, the window
    for (int step = 0; step < 3; step++) {
        if (keys[step][0] != '\0')
            program.key(keys[step]);
        for (int i = 0; i < 40 && width != sides[step]; i++) {
            Program::pause(0.1);
            program.size(width, height);
        }
        EXPECT_EQ(width, sides[step]) << step;
        EXPECT_EQ(height, sides[step]) << step;
        EXPECT_TRUE(program.running());
    }

    program.key("q");
    ASSERT_TRUE(program.waitForExit());
    EXPECT_EQ(program.exitStatus(), 0);
}

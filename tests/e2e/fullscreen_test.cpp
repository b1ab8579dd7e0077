// fullscreen_test.cpp -- --fullscreen and F under a real window manager: the window fills the screen and back
#include "support/flight_run.h"

#include <gtest/gtest.h>

#include <chrono>

TEST(FullScreen, StartsFullAndFTogglesTheWindowBackAndAgainWhileTheFlightGoesOn)
{
    // A screen that is not square, just large enough for the window (1200 x 1200 and its frame).
    testDisplay("1600x1280x24");
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(90);
    auto left = [&] { return std::chrono::duration<double>(deadline - std::chrono::steady_clock::now()).count(); };
    // A user's rule for the window's class (keep it above others): it applies only if the
    // class is there when the window manager takes the window on.
    DataFolder data;
    data.write("rc.xml", "<openbox_config xmlns=\"http://openbox.org/3.4/rc\"><applications>"
                         "<application class=\"brinewings\"><layer>above</layer></application>"
                         "</applications></openbox_config>");
    WindowManager manager(data.path + "/rc.xml");
    ASSERT_TRUE(manager.ready());
    // --fullscreen, then F back to the window and f to full screen again, from the flight file.
    // The flight waits for each change to reach the window, so the very next frame shows it.
    data.write("test.flight", "0 pointer 0 1200\n40 key F\n80 key f\n120 quit\n");
    Program program(data.path, {"--fullscreen", "--tick-rate", "40", "--replay", "test.flight", "--screenshot",
                                "39:a.png", "--screenshot", "41:b.png", "--screenshot", "81:c.png"});
    ASSERT_TRUE(program.waitForWindow(left()));
    ASSERT_NE(shell("xprop -id " + std::to_string(program.window()) + " _NET_WM_STATE").find("_NET_WM_STATE_ABOVE"),
              std::string::npos);
    ASSERT_TRUE(program.waitForExit(left()));
    ASSERT_EQ(program.exitStatus(), 0);
    const int sides[3][2] = {{1600, 1280}, {1200, 1200}, {1600, 1280}};  // the screen, the window
    const char* files[] = {"a.png", "b.png", "c.png"};
    for (int step = 0; step < 3; step++) {
        Screenshot shot = readPng(data.path + "/" + files[step]);
        ASSERT_EQ(shot.width, sides[step][0]) << step;
        ASSERT_EQ(shot.height, sides[step][1]) << step;
    }
}

// A window manager that starts every window minimised: the run holds its flight, with nothing
// drawn and nothing lost, until the user shows the window.
TEST(FullScreen, AWindowStartedMinimisedHoldsTheFlightUntilItIsShown)
{
    testDisplay("800x600x24");
    DataFolder data;
    data.write("rc.xml", "<openbox_config xmlns=\"http://openbox.org/3.4/rc\"><applications>"
                         "<application class=\"*\"><iconic>yes</iconic></application>"
                         "</applications></openbox_config>");
    WindowManager manager(data.path + "/rc.xml");
    ASSERT_TRUE(manager.ready());
    data.write("test.flight", "0 pointer 100 200\n10 quit\n");
    Program program(data.path, {"--size", "200x150", "--replay", "test.flight", "--record", "rec.flight",
                                "--screenshot", "5:a.png"});
    std::string find = "xdotool search --pid " + std::to_string(program.pid()) + " --name '^brinewings$'";
    std::string window;
    for (int i = 0; i < 200 && window.empty(); i++, Program::pause(0.1))
        window = shell(find + " | head -1 | tr -d '\\n'");
    ASSERT_FALSE(window.empty());
    Program::pause(1.5);
    EXPECT_TRUE(program.running());
    EXPECT_EQ(shell("xprop -id " + window + " WM_STATE | grep -o Iconic"), "Iconic\n");
    EXPECT_EQ(readFile(data.path + "/rec.flight"), "") << "no tick flown while minimised";
    shell("xdotool windowactivate " + window);
    ASSERT_TRUE(program.waitForExit(30));
    EXPECT_EQ(program.exitStatus(), 0);
    EXPECT_EQ(readPng(data.path + "/a.png").width, 200);
    EXPECT_EQ(readFile(data.path + "/rec.flight"), "0 pointer 100 200\n10 quit\n");
}

// Full screen on a screen the window already fills: the window manager's answer is its state,
// and the run goes on at the same size.
TEST(FullScreen, AToggleThatNeedsNoNewSizeIsAnsweredByTheWindowManagersState)
{
    testDisplay("1024x768x24");
    WindowManager manager;
    ASSERT_TRUE(manager.ready());
    DataFolder data;
    data.write("fs.flight", "5 key f\n20 quit\n");
    Program program(data.path, {"--size", "1024x768", "--replay", "fs.flight", "--screenshot", "10:fs.png"});
    ASSERT_TRUE(program.waitForExit(30));
    EXPECT_EQ(program.exitStatus(), 0);
    Screenshot shot = readPng(data.path + "/fs.png");
    EXPECT_EQ(shot.width, 1024);
    EXPECT_EQ(shot.height, 768);
}

// fullscreen_test.cpp -- F under a real window manager: the window fills the screen and back
#include "support/e2e.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

// A bare X server honours no full-screen request; openbox (a small EWMH window manager)
// does, as the user's desktop would.
class WindowManager {
public:
    WindowManager()
    {
        pid_ = fork();
        if (pid_ == 0) {
            execlp("openbox", "openbox", "--sm-disable", (char*)nullptr);
            _exit(127);
        }
        for (int i = 0; i < 100 && !ready(); i++)
            Program::pause(0.05);
    }
    ~WindowManager()
    {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    static bool ready()
    {
        return shell("xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null").find("window id") != std::string::npos;
    }

private:
    pid_t pid_;
};

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

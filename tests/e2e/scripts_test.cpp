// scripts_test.cpp -- the test harness's own script: a killed run leaves nothing behind
#include "support/e2e.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>

static bool exists(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

// with_xvfb.sh, stopped by each signal a test run can send it (a time-out's TERM, Ctrl-C's
// INT, a closed terminal's HUP), takes its X server, its command and its folder with it.
TEST(WithXvfb, ASignalLeavesNoServerCommandOrFolderBehind)
{
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        DataFolder tmp(std::vector<std::string>{});
        std::string marker = tmp.path + "/command-ran";
        pid_t pid = fork();
        if (pid == 0) {
            // A group of its own, so that a failed check below takes all of it away and leaves
            // nothing holding the test's output open.
            setpgid(0, 0);
            // As from a terminal: the test itself may run with INT ignored, as a background job.
            std::signal(SIGINT, SIG_DFL);
            setenv("TMPDIR", tmp.path.c_str(), 1);
            // The command leaves a mark, then would outlive any test.
            execl("/bin/bash", "bash", BRINEWINGS_SOURCE_DIR "/tests/support/with_xvfb.sh", "bash", "-c",
                  ("echo $$ > '" + marker + "'; exec sleep 300").c_str(), (char*)nullptr);
            _exit(127);
        }
        struct Group {
            pid_t id;
            ~Group() { kill(-id, SIGKILL); }
        } group{pid};
        std::string display, command;
        for (int i = 0; i < 600 && command.empty(); i++) {
            Program::pause(0.05);
            display = shell("cat '" + tmp.path + "'/brinewings-xvfb.*/display 2>/dev/null");
            command = shell("cat '" + marker + "' 2>/dev/null");
        }
        ASSERT_FALSE(display.empty());
        ASSERT_FALSE(command.empty());
        EXPECT_TRUE(exists("/tmp/.X11-unix/X" + std::to_string(std::atoi(display.c_str()))));
        // By its process: a test beside this one may take the freed display number at once.
        int server = std::atoi(shell("pgrep -x -P " + std::to_string(pid) + " Xvfb").c_str());
        ASSERT_GT(server, 0);

        kill(pid, signal);
        int status = 0;
        pid_t ended = 0;
        for (int i = 0; i < 100 && ended == 0; i++) {
            Program::pause(0.05);
            ended = waitpid(pid, &status, WNOHANG);
        }
        if (ended != pid)
            kill(pid, SIGKILL);
        ASSERT_EQ(ended, pid) << "with_xvfb.sh still runs after signal " << signal;
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 128 + signal) << status;
        EXPECT_EQ(shell("ls -A '" + tmp.path + "'"), "command-ran\n") << "signal " << signal;
        EXPECT_NE(kill(server, 0), 0) << "the X server outlived signal " << signal;
        EXPECT_NE(kill(std::atoi(command.c_str()), 0), 0) << "the command outlived signal " << signal;
    }
}

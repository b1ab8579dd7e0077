// run_options_posix_test.cpp -- what only POSIX has, for the run's options and outputs: hard and
// symbolic links, permissions and the nobody user, the longest names, signals, FIFOs
#include "cli/run_options.h"
#include "os/os.h"
#include "support/run_refusal.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>

TEST(RunOptions, LinksPermissionsAndLongNamesAreJudgedByTheFileAWriteReaches)
{
    std::string folder = enterOptionsFolder();
    ASSERT_NE(folder, "");
    ASSERT_EQ(link("mine.flight", "hard.flight") + mkdir("ro", 0755) + symlink("r.flight", "dang.png") +
              symlink("nosuch/x.png", "miss.png") + symlink("loop1", "loop2") + symlink("loop2", "loop1") +
              symlink("ro/x.png", "inro.png") + symlink("ro/f.png", "tof.png") + symlink("x.png", "sub/rel.flight") +
              chmod(folder.c_str(), 0755), 0);
    fclose(fopen("ro/f.png", "w"));
    ASSERT_EQ(chmod("ro/f.png", 0666), 0);
    // The longest name tmpfs and ext4 take is 255 bytes.
    const std::string longestName = std::string(255, 'n'), tooLongName = std::string(256, 'n');
    const std::string longName(5000, 'a');
    const std::string shortened = std::string(185, 'a') + "..." + std::string(198, 'a');
    struct Case { std::string line, message; } cases[] = {
        {"--record /nonexistent/" + longName, "--record /nonexistent/" + shortened + ": File name too long"},
        {"--replay ./mine.flight --record hard.flight", "--record hard.flight would overwrite the flight file ./mine.flight"},
        {"--replay mine.flight --screenshot 1:/dev/null --screenshot 2:/dev/null --screenshot 100:a.png --record sub/r", ""},
        {"--record r.flight --screenshot 5:dang.png", "--screenshot 5:dang.png and --record r.flight name the same file"},
        {"--screenshot 5:miss.png", "--screenshot 5:miss.png: cannot write in 'nosuch': No such file or directory"},
        {"--record loop1", "--record loop1: Too many levels of symbolic links"},
        {"--record " + tooLongName, "--record " + tooLongName + ": File name too long"},
        {"--record sub/" + longestName, ""},
        {"--record sub/rel.flight --screenshot 5:sub/x.png", "--screenshot 5:sub/x.png and --record sub/rel.flight name the same file"},
    };
    for (const Case& c : cases) {
        RunOptions options;
        EXPECT_EQ(refusal(c.line, &options), c.message.empty() ? "" : "brinewings: " + c.message) << c.line;
    }
    // The suite runs as root, who may write in any folder: a link into one and a link to a file
    // in one are checked as nobody. Under an emulator (the cross builds) the child that changes
    // its user hangs in qemu-user; the native run covers this.
    pid_t child = BRINEWINGS_TOOL_RUNNER[0] != '\0' ? -1 : fork();
    if (child == 0) {
        RunOptions a, b;
        bool nobody = geteuid() != 0 || (setgroups(0, nullptr) == 0 && setresgid(65534, 65534, 65534) == 0 &&
                                         setresuid(65534, 65534, 65534) == 0);
        _exit(nobody && refusal("--screenshot 5:inro.png", &a) == "brinewings: --screenshot 5:inro.png: cannot write in 'ro': Permission denied" &&
              refusal("--record tof.png", &b) == "brinewings: --record tof.png: cannot write in '" + folder + "/ro': Permission denied" ? 0 : 1);
    }
    int status = -1;
    if (child > 0) {
        EXPECT_TRUE(waitpid(child, &status, 0) == child && status == 0) << "an unwritable folder taken as nobody";
    }
    leaveOptionsFolder(folder);
}

// The first stop signal is noted for the run's end and the next, of any kind, ends the program.
TEST(RunSignals, ASecondSignalOfAnotherKindEndsTheProgramAtOnce)
{
    pid_t child = fork();
    if (child == 0) {
        installRunSignals();
        raise(SIGHUP);
        if (stopSignal() != SIGHUP)
            _exit(1);
        raise(SIGTERM);
        _exit(2);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
}

// A named pipe nobody reads is waited for, but not for ever.
TEST(Outputs, ANamedPipeWithNoReaderIsWaitedForWithABound)
{
    std::string fifo = "/tmp/brinewings-fifo-" + std::to_string(getpid());
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    int fd = -1;
    long long start = osMonotonicNs();
    EXPECT_EQ(osOpenForWriting(fifo.c_str(), false, 300000000LL, &fd), ENXIO);
    long long waited = osMonotonicNs() - start;
    EXPECT_TRUE(waited >= 300000000LL && waited < 5000000000LL) << waited;
    unlink(fifo.c_str());
}

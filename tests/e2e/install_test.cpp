// install_test.cpp -- the installed program starts from anywhere; its launcher, manual page,
// desktop entry, icon and metadata
#include "support/e2e.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>

static const std::string kBuild = BRINEWINGS_DATA_DIR;

static bool exists(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

// Installs the build into a fresh folder, which goes away with the object.
struct Installed {
    DataFolder prefix{std::vector<std::string>{}};
    std::string log;
    Installed() { log = shell("cmake --install '" + kBuild + "' --prefix '" + prefix.path + "' 2>&1"); }
    std::string path(const std::string& file) const { return prefix.path + "/" + file; }
};

TEST(Install, TheLauncherStartsTheProgramInItsDataFolderFromAnyDirectory)
{
    Installed installed;
    for (const char* file : {"bin/brinewings", "libexec/brinewings/brinewings",
                             "share/brinewings/cessna.txt", "share/brinewings/propeller.txt",
                             "share/brinewings/sea02.jpg", "share/brinewings/sky08.jpg", "share/brinewings/benchmark.flight",
                             "share/applications/brinewings.desktop", "share/man/man6/brinewings.6.gz",
                             "share/metainfo/org.brinewings.brinewings.metainfo.xml",
                             "share/icons/hicolor/16x16/apps/brinewings.png",
                             "share/icons/hicolor/48x48/apps/brinewings.png",
                             "share/icons/hicolor/256x256/apps/brinewings.png",
                             "share/doc/brinewings/copyright", "share/doc/brinewings/changelog.gz"})
        EXPECT_TRUE(exists(installed.path(file))) << file << "\n" << installed.log;
    // Each icon is the size its folder names.
    for (const char* size : {"16", "24", "32", "48", "64", "128", "256"})
        EXPECT_EQ(shell("identify -format '%wx%h' '" + installed.path("share/icons/hicolor/") + size + "x" +
                        size + "/apps/brinewings.png'"),
                  std::string(size) + "x" + size);

    // Started from an empty folder, as a user would from a terminal anywhere, with the
    // display named by freeglut's -display alone: the launcher finds it and hands it on.
    DataFolder elsewhere(std::vector<std::string>{});
    std::string display = testDisplay();
    unsetenv("DISPLAY");
    Program program(elsewhere.path, {"-display", display}, installed.path("bin/brinewings"));
    setenv("DISPLAY", display.c_str(), 1);
    ASSERT_TRUE(program.waitForWindow());
    program.key("q");
    ASSERT_TRUE(program.waitForExit());
    EXPECT_EQ(program.exitStatus(), 0);
    // No loader complained: every data file was found.
    EXPECT_EQ(program.output().rfind("== CONTROLS ==\n", 0), 0u) << program.output();
    EXPECT_EQ(program.output().find("couldn't"), std::string::npos);
    EXPECT_EQ(program.output().find("Can't"), std::string::npos);
    // Flight and picture files are named from where the launcher was started.
    shell("cd '" + elsewhere.path + "' && echo '1 quit' >q.flight && '" + installed.path("bin/brinewings") +
          "' --replay q.flight --screenshot=1:q.png >/dev/null 2>&1");
    EXPECT_TRUE(exists(elsewhere.path + "/q.png"));
    // The same with no display at all, off-screen, into a folder named from there; and a
    // value the launcher must leave to the program, which refuses it before writing anything.
    std::string offscreen = shell("cd '" + elsewhere.path + "' && mkdir sub && env -u DISPLAY '" +
                                  installed.path("bin/brinewings") + "' --offscreen --replay q.flight " +
                                  "--screenshot 1:sub/q.png >/dev/null 2>&1; echo \"status $?\"");
    EXPECT_EQ(offscreen, "status 0\n");
    EXPECT_TRUE(exists(elsewhere.path + "/sub/q.png"));
    std::string swallowed = shell("cd '" + elsewhere.path + "' && '" + installed.path("bin/brinewings") +
                                  "' --benchmark --replay q.flight --results --offscreen 2>&1; echo \"status $?\"");
    EXPECT_EQ(swallowed, "brinewings: --results needs a value\nstatus 2\n");
    EXPECT_FALSE(exists(elsewhere.path + "/--offscreen"));
}

TEST(Install, TheLauncherAnswersHelpAndVersionAndSaysWhenThereIsNoDisplay)
{
    Installed installed;
    std::string launcher = "'" + installed.path("bin/brinewings") + "'";
    struct Case {
        std::string command;  // run in the test's X session, standard error kept apart
        std::string out;      // exact standard output, or "" to check the start of stderr
        std::string err;      // the start of standard error
        int status;
    };
    const std::string noDisplay = "brinewings: no X display to open a window on";
    const Case cases[] = {
        {launcher + " --version", "brinewings " BRINEWINGS_VERSION "\n", "", 0},
        {launcher + " -display :0 --version", "brinewings " BRINEWINGS_VERSION "\n", "", 0},
        // The user's data folder wins over the launcher's.
        {launcher + " --data-dir /tmp --version", "brinewings " BRINEWINGS_VERSION "\n", "", 0},
        {launcher + " --data-dir=/nonexistent --offscreen --benchmark", "", "brinewings: --data-dir /nonexistent: No such file", 2},
        {"env -u DISPLAY " + launcher, "", noDisplay + " (DISPLAY is not set)", 1},
        {"DISPLAY=:4095 " + launcher, "", noDisplay + ": ':4095' does not answer", 1},
        {launcher + " -display :4095", "", noDisplay + ": ':4095' does not answer", 1},
    };
    DataFolder scratch(std::vector<std::string>{});
    for (const Case& c : cases) {
        std::string out = shell(c.command + " 2>'" + scratch.path + "/err'; echo \"status $?\"");
        std::string err = shell("cat '" + scratch.path + "/err'");
        EXPECT_EQ(out, c.out + "status " + std::to_string(c.status) + "\n") << c.command;
        EXPECT_EQ(err.rfind(c.err, 0), 0u) << c.command << ": " << err;
        // One line of its own, never freeglut's.
        EXPECT_EQ(err.find("freeglut"), std::string::npos) << err;
        EXPECT_LE(std::count(err.begin(), err.end(), '\n'), 1) << err;
    }

    // A display reached only through Linux's abstract socket, with no socket file (as from a
    // private /tmp): the launcher hands over to the program, which ends at once here, as its
    // propeller model is taken away.
    std::remove(installed.path("share/brinewings/propeller.txt").c_str());
    std::string server = shell("Xvfb -displayfd 3 -nolisten unix -nolisten tcp 3>'" + scratch.path +
                               "/display' >/dev/null 2>&1 & echo $!");
    std::string number;
    for (int i = 0; i < 200 && number.find('\n') == std::string::npos; i++) {
        Program::pause(0.05);
        number = shell("cat '" + scratch.path + "/display'");
    }
    std::string abstractOnly = shell("DISPLAY=:" + number.substr(0, number.find('\n')) + " " + launcher +
                                     " 2>&1; echo \"status $?\"");
    shell("kill " + server);
    EXPECT_EQ(abstractOnly, "Can't open propeller file\nstatus 1\n");

    // --help: what it is, the controls, where the data lives, the manual page; it returns at
    // once (a started program would keep shell() waiting).
    std::string help = shell(launcher + " --help 2>&1; echo \"status $?\"");
    for (const std::string& part : {std::string("interactive 3D flight scene"), std::string("PAGE UP"),
                                    std::string("Quit"), installed.path("share/brinewings"),
                                    std::string("man 6 brinewings"), std::string("status 0\n")})
        EXPECT_NE(help.find(part), std::string::npos) << part << " in\n" << help;
}

TEST(Install, TheManualPageDesktopEntryAndMetadataPassTheirValidators)
{
    Installed installed;
    std::string man = shell("MANWIDTH=80 man -l '" + installed.path("share/man/man6/brinewings.6.gz") + "' 2>&1");
    EXPECT_NE(man.find("CONTROLS"), std::string::npos) << man;
    EXPECT_NE(man.find("brinewings " BRINEWINGS_VERSION), std::string::npos) << man;

    std::string desktop = installed.path("share/applications/brinewings.desktop");
    EXPECT_EQ(shell("desktop-file-validate '" + desktop + "' 2>&1; echo \"status $?\""), "status 0\n");
    std::string entry = shell("cat '" + desktop + "'");
    for (const char* line : {"Exec=brinewings\n", "Icon=brinewings\n", "StartupWMClass=brinewings\n"})
        EXPECT_NE(entry.find(line), std::string::npos) << line;

    std::string metainfo = installed.path("share/metainfo/org.brinewings.brinewings.metainfo.xml");
    std::string verdict = shell("appstreamcli validate --no-net '" + metainfo + "' 2>&1; echo \"status $?\"");
    EXPECT_NE(verdict.find("status 0\n"), std::string::npos) << verdict;
    std::string xml = shell("cat '" + metainfo + "'");
    for (const char* part : {"<launchable type=\"desktop-id\">brinewings.desktop</launchable>",
                             "<content_rating type=\"oars-1.1\"/>", "<project_license>MIT</project_license>",
                             "docs/images/scene.png</image>", "<release version=\"" BRINEWINGS_VERSION "\""})
        EXPECT_NE(xml.find(part), std::string::npos) << part;
}

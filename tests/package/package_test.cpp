// package_test.cpp -- the Debian package as a packager builds it: games layout, lintian clean,
// complete, installable, and it flies when unpacked into a throwaway root
#include "support/e2e.h"

#include <gtest/gtest.h>

static const std::string kSource = BRINEWINGS_SOURCE_DIR;

TEST(Package, TheGamesPackagePassesLintianAndFliesFromAThrowawayRoot)
{
    // The packager's build (its preset), in a folder of its own.
    DataFolder build(std::vector<std::string>{});
    std::string log = shell("cd '" + kSource + "' && cmake --preset packager -B '" + build.path + "'"
                            " '-DBRINEWINGS_MAINTAINER=Test Packager <packager@debian.org>' 2>&1 &&"
                            " cd '" + build.path + "' && cmake --build . -j2 2>&1 && cpack -G DEB 2>&1");
    EXPECT_NE(log.find("brinewings: skipped tests (GoogleTest not found), benchmarks (Google Benchmark not found)"),
              std::string::npos) << log;
    std::string deb = shell("ls '" + build.path + "'/brinewings_*.deb 2>/dev/null | head -n 1");
    ASSERT_FALSE(deb.empty()) << log;
    deb.pop_back();

    // No errors and no warnings (lintian's note about running as root goes to stderr).
    std::string lintian = shell("lintian --fail-on error,warning '" + deb + "' 2>/dev/null; echo \"status $?\"");
    EXPECT_EQ(lintian, "status 0\n");

    std::string fields = shell("dpkg-deb -f '" + deb + "' Section Maintainer Version Depends");
    for (const std::string& field : {std::string("Section: games\n"),
                                     std::string("Maintainer: Test Packager <packager@debian.org>\n"),
                                     std::string("Version: " BRINEWINGS_VERSION "\n"), std::string("libglut"),
                                     std::string("libglu1"), std::string("libx11-6"), std::string("libjpeg62-turbo"),
                                     std::string("libgl1-mesa-dri")})
        EXPECT_NE(fields.find(field), std::string::npos) << field << " in\n" << fields;
    EXPECT_EQ(fields.find("libstb"), std::string::npos) << fields;  // stb is for the tools only

    std::string files = shell("dpkg-deb -c '" + deb + "'");
    for (const char* file : {"./usr/games/brinewings", "./usr/libexec/brinewings/brinewings",
                             "./usr/share/games/brinewings/cessna.txt", "./usr/share/games/brinewings/propeller.txt",
                             "./usr/share/games/brinewings/sea02.jpg", "./usr/share/games/brinewings/sky08.jpg",
                             "./usr/share/applications/brinewings.desktop",
                             "./usr/share/metainfo/org.brinewings.brinewings.metainfo.xml",
                             "./usr/share/icons/hicolor/32x32/apps/brinewings.png",
                             "./usr/share/icons/hicolor/256x256/apps/brinewings.png",
                             "./usr/share/man/man6/brinewings.6.gz", "./usr/share/doc/brinewings/copyright",
                             "./usr/share/doc/brinewings/changelog.gz"})
        EXPECT_NE(files.find(std::string(file) + "\n"), std::string::npos) << file << "\n" << files;
    EXPECT_EQ(files.find("./usr/bin/"), std::string::npos) << files;

    // apt accepts it: every dependency resolves on this machine (a simulation; nothing changes).
    std::string apt = shell("apt-get -s install '" + deb + "' 2>&1; echo \"status $?\"");
    EXPECT_NE(apt.find("status 0\n"), std::string::npos) << apt;

    // Unpacked into a throwaway root, the games launcher starts the program on this X server.
    DataFolder root(std::vector<std::string>{});
    shell("dpkg-deb -x '" + deb + "' '" + root.path + "'");
    DataFolder elsewhere(std::vector<std::string>{});
    Program program(elsewhere.path, {}, root.path + "/usr/games/brinewings");
    ASSERT_TRUE(program.waitForWindow());
    EXPECT_EQ(shell("xprop -id " + std::to_string(program.window()) + " -notype WM_CLASS"),
              "WM_CLASS = \"brinewings\", \"brinewings\"\n");
    program.key("q");
    ASSERT_TRUE(program.waitForExit());
    EXPECT_EQ(program.exitStatus(), 0);
    EXPECT_EQ(program.output().rfind("== CONTROLS ==\n", 0), 0u) << program.output();
    EXPECT_EQ(program.output().find("couldn't"), std::string::npos) << program.output();
}

// install_test.cpp -- the installed program starts from anywhere; the Debian package is complete
#include "support/e2e.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

static const std::string kBuild = BRINEWINGS_DATA_DIR;

static bool exists(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

TEST(Install, TheLauncherStartsTheProgramInItsDataFolderFromAnyDirectory)
{
    DataFolder prefix(std::vector<std::string>{});
    std::string log = shell("cmake --install '" + kBuild + "' --prefix '" + prefix.path + "' 2>&1");
    for (const char* file : {"bin/brinewings", "libexec/brinewings/brinewings",
                             "share/brinewings/cessna.txt", "share/brinewings/propeller.txt",
                             "share/brinewings/sea02.jpg", "share/brinewings/sky08.jpg",
                             "share/applications/brinewings.desktop", "share/man/man6/brinewings.6"})
        EXPECT_TRUE(exists(prefix.path + "/" + file)) << file << "\n" << log;

    // Started from an empty folder, as a user would from a terminal anywhere.
    DataFolder elsewhere(std::vector<std::string>{});
    Program program(elsewhere.path, {}, prefix.path + "/bin/brinewings");
    ASSERT_TRUE(program.waitForWindow());
    program.key("q");
    ASSERT_TRUE(program.waitForExit());
    EXPECT_EQ(program.exitStatus(), 0);
    // No loader complained: every data file was found.
    EXPECT_EQ(program.output().rfind("== CONTROLS ==\n", 0), 0u) << program.output();
    EXPECT_EQ(program.output().find("couldn't"), std::string::npos);
    EXPECT_EQ(program.output().find("Can't"), std::string::npos);
}

TEST(Install, TheManualPageAndDesktopEntryAreWellFormed)
{
    std::string man = shell("MANWIDTH=80 man -l '" + std::string(BRINEWINGS_SOURCE_DIR) +
                            "/packaging/brinewings.6' 2>&1 || groff -man -Tutf8 '" +
                            std::string(BRINEWINGS_SOURCE_DIR) + "/packaging/brinewings.6' 2>&1");
    EXPECT_NE(man.find("CONTROLS"), std::string::npos) << man;
    std::string desktop = shell("cat '" + std::string(BRINEWINGS_SOURCE_DIR) + "/packaging/brinewings.desktop'");
    EXPECT_NE(desktop.find("Exec=brinewings\n"), std::string::npos);
    EXPECT_NE(desktop.find("Type=Application\n"), std::string::npos);
}

TEST(Package, TheDebianPackageHoldsTheFilesAndDeclaresItsRuntimeDependencies)
{
    DataFolder out(std::vector<std::string>{});
    std::string log = shell("cd '" + out.path + "' && cpack -G DEB --config '" + kBuild +
                            "/CPackConfig.cmake' 2>&1");
    std::string deb = shell("ls '" + out.path + "'/*.deb 2>/dev/null | head -n 1");
    ASSERT_FALSE(deb.empty()) << log;
    deb.pop_back();

    std::string files = shell("dpkg-deb -c '" + deb + "'");
    for (const char* file : {"./usr/bin/brinewings", "./usr/libexec/brinewings/brinewings",
                             "./usr/share/brinewings/cessna.txt", "./usr/share/brinewings/sky08.jpg",
                             "./usr/share/applications/brinewings.desktop",
                             "./usr/share/man/man6/brinewings.6"})
        EXPECT_NE(files.find(file), std::string::npos) << file << "\n" << files;

    std::string depends = shell("dpkg-deb -f '" + deb + "' Depends");
    for (const char* dependency : {"libglut", "libglu1", "libgl1", "libturbojpeg0", "libgl1-mesa-dri"})
        EXPECT_NE(depends.find(dependency), std::string::npos) << dependency << " in " << depends;
    EXPECT_EQ(depends.find("libstb"), std::string::npos) << depends;  // stb is for the tools only
}

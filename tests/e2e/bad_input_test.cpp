// bad_input_test.cpp -- every data file missing, empty, truncated, of the wrong kind or out of
// bounds, one at a time: the exact messages, the exit status, and whether the flight goes on.
// docs/bad-input.md lists the same cases for users.
#include "support/e2e.h"
#include "support/flight_run.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

static std::string fileBytes(const std::string& name)
{
    std::ifstream in(std::string(BRINEWINGS_DATA_DIR) + "/" + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

static std::string firstHalf(const std::string& name)
{
    std::string bytes = fileBytes(name);
    return bytes.substr(0, bytes.size() / 2);
}

// A model file that breaks every bound the mesh format has: a face before any group, more
// groups than the store holds, indices past the tables, negative and overflowing numbers,
// coordinates out of float range, over-long lines and keywords.
static std::string outOfBoundsModel()
{
    std::string text = "f 1 2 3\n";
    text += "v 1e999 -1e999 nan\nn inf 0 0\n";
    text += "vvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvv 1 2 3\n";
    text += "v 0 0 0\nn 0 1 0\nv 1 0 0\nn 0 1 0\nv 0 0 1\nn 0 1 0\n";
    for (int g = 0; g < 40; g++) {
        text += "g group\n";
        text += "f 1 2 3 99999999999999999999 -2147483649 7000 -1\n";
        text += "f 3 2 1 1 2 3 1 2 3 1 2 3 1 2 3 1 2 3 1 2 3 1 2 3\n";
    }
    for (int f = 0; f < 2100; f++)
        text += "f 1 2 3\n";
    for (int v = 0; v < 7000; v++)
        text += "v 0.5 0.5 0.5\nn 0 0 1\n";
    return text;
}

// The generated image with its frame header claiming 60000 x 60000 pixels.
static std::string hugeJpegHeader(const std::string& name)
{
    std::string jpeg = fileBytes(name);
    size_t at = jpeg.find("\xFF\xC0");
    if (at != std::string::npos)
        for (int i = 5; i <= 8; i++)  // height, then width, 16 bits each: 0xEA60 = 60000
            jpeg[at + i] = i % 2 == 1 ? '\xEA' : '\x60';
    return jpeg;
}

// Start of a PNG: a real image, but not a JPEG.
static std::string pngHeader()
{
    const unsigned char bytes[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n', 0, 0, 0, 13,
                                   'I', 'H', 'D', 'R', 0, 0, 0, 16, 0, 0, 0, 16,
                                   8, 2, 0, 0, 0, 0x12, 0x34, 0x56, 0x78};
    return std::string((const char*)bytes, sizeof bytes);
}

struct BadInput {
    const char* name;          // test name
    const char* file;          // the data file that is damaged
    enum { Missing, Replaced } how;
    std::string content;       // the file's new bytes when Replaced
    const char* report;        // what the program prints before the controls summary
    bool flies;                // the window opens and the flight goes on (else status 1)
};

void PrintTo(const BadInput& bad, std::ostream* out)
{
    *out << bad.name;
}

// Messages that end in the image decoder's own reason are matched up to the reason ("...: ");
// the program's own messages are matched whole.
static const char* const kNoReport = "";
static const char* const kSeaReason = "couldn't load texture sea02.jpg: ";
static const char* const kSkyReason = "couldn't load texture sky08.jpg: ";

static std::vector<BadInput> badInputs()
{
    const auto missing = BadInput::Missing;
    const auto replaced = BadInput::Replaced;
    return {
        {"CessnaMissing", "cessna.txt", missing, "", "couldn't open cessna\nInvalid file pointer\n", true},
        {"CessnaEmpty", "cessna.txt", replaced, "", kNoReport, true},
        {"CessnaTruncated", "cessna.txt", replaced, firstHalf("cessna.txt"), kNoReport, true},
        {"CessnaIsAnImage", "cessna.txt", replaced, fileBytes("sea02.jpg"), kNoReport, true},
        {"CessnaOutOfBounds", "cessna.txt", replaced, outOfBoundsModel(), kNoReport, true},
        {"PropellerMissing", "propeller.txt", missing, "", "Can't open propeller file\n", false},
        {"PropellerEmpty", "propeller.txt", replaced, "", kNoReport, true},
        {"PropellerTruncated", "propeller.txt", replaced, firstHalf("propeller.txt"), kNoReport, true},
        {"PropellerIsAnImage", "propeller.txt", replaced, fileBytes("sky08.jpg"), kNoReport, true},
        {"PropellerOutOfBounds", "propeller.txt", replaced, outOfBoundsModel(), kNoReport, true},
        {"SeaMissing", "sea02.jpg", missing, "",
         "couldn't load texture sea02.jpg: can't open the file: No such file or directory\n", true},
        {"SeaEmpty", "sea02.jpg", replaced, "", kSeaReason, true},
        {"SeaTruncated", "sea02.jpg", replaced, firstHalf("sea02.jpg"), kSeaReason, true},
        {"SeaIsText", "sea02.jpg", replaced, fileBytes("cessna.txt"), kSeaReason, true},
        {"SeaHugeHeader", "sea02.jpg", replaced, hugeJpegHeader("sea02.jpg"),
         "couldn't load texture sea02.jpg: 60000 x 60000 pixels need 929 MiB as a texture even at 1/8 scale, more than the limit of 128 MiB\n", true},
        {"SeaIsAPng", "sea02.jpg", replaced, pngHeader(), "couldn't load texture sea02.jpg: not a JPEG file\n", true},
        {"SkyMissing", "sky08.jpg", missing, "", kSkyReason, true},
        {"SkyEmpty", "sky08.jpg", replaced, "", kSkyReason, true},
        {"SkyTruncated", "sky08.jpg", replaced, firstHalf("sky08.jpg"), kSkyReason, true},
        {"SkyIsText", "sky08.jpg", replaced, fileBytes("propeller.txt"), kSkyReason, true},
        {"SkyHugeHeader", "sky08.jpg", replaced, hugeJpegHeader("sky08.jpg"),
         "couldn't load texture sky08.jpg: 60000 x 60000 pixels need 929 MiB as a texture even at 1/8 scale, more than the limit of 128 MiB\n", true},
    };
}

class BadInputTest : public testing::TestWithParam<BadInput> {};

TEST_P(BadInputTest, IsReportedExactlyAndTheFlightGoesOnWhereItShould)
{
    const BadInput& bad = GetParam();
    DataFolder data;
    if (bad.how == BadInput::Missing)
        data.remove(bad.file);
    else
        data.write(bad.file, bad.content);
    // Off-screen, small, full left steering: two frames ten ticks apart show the view moving.
    FlightRun run = flyFlight(data, "0 pointer 0 200\n20 quit\n", {5, 15}, "--offscreen --size 200x200");
    if (!bad.flies) {
        ASSERT_EQ(run.status, 1);
        ASSERT_EQ(run.out, bad.report);
        return;
    }
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_TRUE(run.shots[0].width == 200 && run.shots[1].width == 200) << "a frame was not written";
    EXPECT_GT(run.shots[0].differenceTo(run.shots[1]), 0.0) << "the view stood still";

    const std::string& out = run.out;
    size_t controls = out.find("== CONTROLS ==\n");
    ASSERT_NE(controls, std::string::npos) << out;
    std::string report = out.substr(0, controls);
    std::string expected = bad.report;
    if (!expected.empty() && expected.back() != '\n') {
        // One line: the fixed start, then the decoder's reason.
        EXPECT_EQ(report.rfind(expected, 0), 0u) << report;
        EXPECT_GT(report.size(), expected.size() + 1) << report;
        EXPECT_EQ(report.find('\n'), report.size() - 1) << report;
    } else {
        EXPECT_EQ(report, expected);
    }
}

INSTANTIATE_TEST_SUITE_P(EachDataFile, BadInputTest, testing::ValuesIn(badInputs()),
                         [](const testing::TestParamInfo<BadInput>& info) { return std::string(info.param.name); });

// The command line is read before freeglut opens a display, so without one a bad option is
// still refused by name and --help answered; a recording is created only once the window is
// there, so freeglut's own failure leaves the file named by --record alone.
TEST(BadOptions, AreRefusedAndHelpAnsweredWithoutADisplay)
{
    DataFolder data;
    data.write("keep.flight", "5 quit\n");
    const std::string run = "cd '" + data.path + "' && env -u DISPLAY '" BRINEWINGS_BINARY "' ";
    EXPECT_EQ(shell(run + "--replay keep.flight --record --replay 2>&1; echo \"status $?\""),
              "brinewings: --record needs a value\nstatus 2\n");
    std::string help = shell(run + "--help 2>/dev/null; echo \"status $?\"");
    EXPECT_EQ(help.rfind("Usage: brinewings", 0), 0u) << help;
    EXPECT_NE(help.find("--screenshot TICK:FILE"), std::string::npos) << help;
    EXPECT_EQ(help.substr(help.size() - 9), "status 0\n");
    EXPECT_EQ(shell(run + "--record keep.flight >/dev/null 2>&1; echo \"status $?\""), "status 1\n");
    EXPECT_EQ(shell("cat '" + data.path + "/keep.flight'"), "5 quit\n");
}

// Off-screen with no EGL vendor library to load: one line, status 1, nothing drawn or printed.
TEST(BadEnvironment, OffScreenWithoutEglSaysSoInOneLineAndEndsWithStatus1)
{
    DataFolder data;
    FlightRun run = flyFlight(data, "1 quit\n", {0}, "--offscreen", "__EGL_VENDOR_LIBRARY_FILENAMES=/nonexistent");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "brinewings: --offscreen: EGL offers no surfaceless platform (EGL_MESA_platform_surfaceless)\n");
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(run.shots[0].rgb.empty());
}

// flight_file_test.cpp -- flight files read back exactly, and every kind of bad line refused by name
#include "cli/data_folder.h"
#include "cli/run_options.h"
#include "flight/flight_file.h"
#include "os/os.h"
#include "support/run_refusal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>

// Reads text as the flight file "f"; message gets the refusal.
static bool readText(const std::string& text, char (&message)[512])
{
    FILE* in = fmemopen((void*)text.data(), text.size(), "r");
    bool read = readFlightStream(in, "f", message, sizeof message);
    fclose(in);
    return read;
}

TEST(FlightFile, EveryActionReadsBackAndWritesTheSameLine)
{
    // A byte-order mark, exactly 200 characters on a line, and UTF-8 inside a comment, are text.
    std::string text = "\xef\xbb\xbf# caf\xc3\xa9\n\n0 pointer -100000 100000" + std::string(176, ' ') + "\n0\tkey ~  # x\r\n"
                       "7 special page_down\n7 special up\n1000000000 key !\n1000000000 quit";
    char message[512] = "";
    ASSERT_TRUE(readText(text, message)) << message;
    FILE* out = tmpfile();
    ASSERT_NE(out, nullptr);
    for (int i = 0; i < flightEventCount; i++)
        ASSERT_TRUE(writeFlightEvent(out, flightEvents[i]));
    char written[512] = "";
    rewind(out);
    written[fread(written, 1, sizeof written - 1, out)] = '\0';
    fclose(out);
    EXPECT_STREQ(written, "0 pointer -100000 100000\n0 key ~\n7 special page_down\n7 special up\n"
                          "1000000000 key !\n1000000000 quit\n");
}

TEST(FlightFile, BadFilesAreRefusedWithTheLineAndTheReason)
{
    struct Case { std::string text, reason; } cases[] = {
        {"0 jump", "1: unknown action 'jump'"},
        {"# ok\n0 pointer 5", "2: pointer needs 2 arguments"},
        {"0 key", "1: key needs 1 argument"},
        {"0 quit now", "1: extra argument 'now' after quit"},
        {"0 key ab", "1: key 'ab' is not one character"},
        {"0 key #", "1: key needs 1 argument"},
        {"0 special left", "1: unknown special key 'left' (up, down, page_up or page_down)"},
        {"1000000001 quit", "1: tick 1000000001 is out of range (0 to 1000000000)"},
        {"99999999999999999999 quit", "1: tick 99999999999999999999 is out of range (0 to 1000000000)"},
        {"-1 quit", "1: tick -1 is out of range (0 to 1000000000)"},
        {"1e3 quit", "1: tick '1e3' is not a whole number"},
        {"0 pointer 100001 1200", "1: pointer X 100001 is out of range (-100000 to 100000)"},
        {"0 pointer 5 0", "1: pointer WIDTH 0 is out of range (1 to 100000)"},
        {"0 pointer 5 +3", "1: pointer WIDTH '+3' is not a whole number"},
        {"5 quit\n4 quit", "2: tick 4 is before the previous event's tick 5"},
        {"0 quit\n" + std::string(201, ' '), "2: line longer than 200 characters"},
        {"0 qu\x01it", "1: byte 0x01 is not text"},
        {"0 quit\n0 key \xc3\xa9", "2: byte 0xc3 is not text"},
        {"0 quit\r0 quit", "1: byte 0x0d is not text"},
        {"\xef\xbb", "1: byte 0xef is not text"},
    };
    for (const Case& c : cases) {
        char message[512] = "";
        EXPECT_FALSE(readText(c.text, message)) << c.text;
        EXPECT_EQ(message, "brinewings: f:" + c.reason);
        EXPECT_EQ(flightEventCount, 0);
    }
    char message[512] = "";
    EXPECT_FALSE(readFlightFile("/nonexistent/flight", message, sizeof message));
    EXPECT_STREQ(message, "brinewings: /nonexistent/flight: No such file or directory");
}

TEST(RunOptions, ValuesAreTakenInBothFormsAndFreeglutsOptionsPassed)
{
    RunOptions options;
    ASSERT_EQ(refusal("-display :9 -sync --replay a.flight --record=-x.flight --benchmark --results r.json "
                      "--screenshot 0:first.png --screenshot=1000000000:x:y.png -geometry +1+2 -s 800x64 --hud --no-gamepad --platform x11",
                      &options), "brinewings: a.flight: No such file or directory");
    EXPECT_EQ(std::string(options.replayFile) + " " + options.recordFile + " " + options.screenshots[1].file +
              " " + options.resultsFile, "a.flight -x.flight x:y.png r.json");
    EXPECT_TRUE(options.benchmark && options.hud && options.noGamepad && options.screenshotCount == 2 &&
                options.screenshots[1].tick == 1000000000 && options.width == 800 && options.height == 64 &&
                options.windowSystem == kWindowSystemX11);
    // --help and --version are answered whatever else the line asks, once it parses.
    RunOptions help, version;
    EXPECT_EQ(refusal("--offscreen -h", &help), "");
    EXPECT_EQ(refusal("--version --results r", &version), "");
    EXPECT_TRUE(help.help && !help.version && version.version);
}

TEST(RunOptions, BadLinesAndOutputsAreRefusedBeforeTheWindowOpens)
{
    std::string folder = enterOptionsFolder();
    ASSERT_NE(folder, "");
    const std::string quits = "--screenshot 101:a.png: the flight ends at tick 100, so that frame is never drawn";
    std::string otherSpelling = folder + "/MINE.FLIGHT";
    otherSpelling[0] = (char)tolower(otherSpelling[0]);
    std::replace(otherSpelling.begin(), otherSpelling.end(), '/', '\\');
    struct Case { std::string line, message; } cases[] = {
        {"--replya x", "unknown option '--replya' (try --help)"},
        {"--screenshots 5:a.png", "unknown option '--screenshots' (try --help)"},
        {"-replay x", "unknown option '-replay' (try --help)"},
        {"extra", "unexpected argument 'extra' (try --help)"},
        {"-- --version", "unexpected argument '--version' (try --help)"},
        {"--benchmark=yes", "--benchmark takes no value"},
        {"--record --replay same.flight", "--record needs a value"},
        {"--record=", "--record needs a value"},
        {"-display -sync", "-display needs a value"},
        {"-geometry -sync", "-geometry needs a value"},
        {"--replay a --replay=b", "--replay given twice"},
        {"--screenshot 12", "--screenshot '12': expected TICK:FILE, TICK from 0 to 1000000000"},
        {"-s 63x100", "-s '63x100': expected WxH, each side from 64 to 16384"},
        {"--size 100x16385", "--size '100x16385': expected WxH, each side from 64 to 16384"},
        {"-geometry +1-2x", "-geometry '+1-2x': expected WxH, WxH+X+Y, WxH-X-Y, +X+Y or -X-Y, each side from 64 to 16384"},
        {"-geometry 100x100-0-0 --size=100x100", "the window size is given twice (--size, -s or -geometry)"},
        {"--results r.json", "--results needs --benchmark"},
        {"--offscreen", "--offscreen needs --replay or --benchmark"},
        {"--benchmark --offscreen --record r", "--offscreen cannot record live input (--record)"},
        {"-direct -indirect", "-direct and -indirect cannot both be given"},
        {"-direct -sync -direct", "-direct given twice"},
        {"--replay mine.flight --offscreen --record r.flight", "--offscreen cannot record live input (--record)"},
        {"--tick-rate -1", "--tick-rate '-1': expected ticks a second from 1 to 10000"},
        {"--tick-rate=0", "--tick-rate '0': expected ticks a second from 1 to 10000"},
        {"--tick-rate 10001", "--tick-rate '10001': expected ticks a second from 1 to 10000"},
        {"--gpu -1", "--gpu '-1': expected a device number from 0 to 15, or surfaceless"},
        {"--replay mine.flight --offscreen --gpu 16", "--gpu '16': expected a device number from 0 to 15, or surfaceless"},
        {"--screenshot -1:a.png", "--screenshot '-1:a.png': expected TICK:FILE, TICK from 0 to 1000000000"},
        {"-iconic --tick-rate 1", "-iconic cannot go with --replay, --record, --benchmark, --screenshot, --offscreen or --tick-rate"},
        {"--replay mine.flight --offscreen --gpu 15 --tick-rate 1", ""},
        {"--fullscreen -geometry 500x400+0+0", "--fullscreen cannot go with a window size (--size, -s or -geometry WxH)"},
        {"--benchmark --fullscreen --offscreen", "--fullscreen cannot go with --offscreen, which has no window"},
        {"-iconic --screenshot 1:a.png", "-iconic cannot go with --replay, --record, --benchmark, --screenshot, --offscreen or --tick-rate"},
        {"--platform mir", "--platform 'mir': expected x11 or wayland"},
        {"--platform x11 --platform=wayland", "--platform given twice"},
        {"--platform wayland --benchmark --offscreen", "--platform chooses a window: it cannot go with --offscreen"},
        {"--platform=wayland -display :1", "-display names an X display: it cannot go with --platform wayland"},
        {"-iconic --fullscreen -geometry -10-10 --data-dir . --", ""},
        {"-geometry +0-10 -s 64x16384", ""},
        {"-s 16384x64", ""},
        {"--screenshot 50:/nonexistent/a.png", "--screenshot 50:/nonexistent/a.png: cannot write in '/nonexistent': No such file or directory"},
        {"--record mine.flight/x", "--record mine.flight/x: cannot write in 'mine.flight': Not a directory"},
        {"--record sub", "--record sub: is a folder"},
        {"--record a.png --screenshot 5:sub/../a.png", "--screenshot 5:sub/../a.png and --record a.png name the same file"},
        {"--replay mine.flight --screenshot 100:./mine.flight", "--screenshot 100:./mine.flight would overwrite the flight file mine.flight"},
        {"--screenshot 5:sea02.jpg", "--screenshot 5:sea02.jpg would overwrite the data file sea02.jpg"},
        {"--replay mine.flight --screenshot 101:a.png", quits},
        {"--benchmark --replay noquit.flight --screenshot 52:a.png", "--screenshot 52:a.png: the benchmark ends at tick 51, so that frame is never drawn"},
#ifdef _WIN32
        // Windows' other spellings of one file, there or not yet: '\\', a lower-case drive, upper-case names.
        {"--replay mine.flight --record .\\mine.flight", "--record .\\mine.flight would overwrite the flight file mine.flight"},
        {"--replay " + folder + "/mine.flight --record " + otherSpelling,
         "--record " + otherSpelling + " would overwrite the flight file " + folder + "/mine.flight"},
        {"--record new.flight --screenshot 5:sub\\..\\NEW.flight", "--screenshot 5:sub\\..\\NEW.flight and --record new.flight name the same file"},
        {"--screenshot 5:nosuch\\a.png", "--screenshot 5:nosuch\\a.png: cannot write in 'nosuch': No such file or directory"},
#endif
    };
    for (const Case& c : cases) {
        RunOptions options;
        EXPECT_EQ(refusal(c.line, &options), c.message.empty() ? "" : "brinewings: " + c.message) << c.line;
    }
    leaveOptionsFolder(folder);
}

// --data-dir enters the data folder, so a relative file is anchored to the folder the run started
// in; an absolute one (from a root, and on Windows from a drive and a root) is left as typed.
TEST(RunOptions, DataDirAnchorsRelativeFilesAndLeavesAbsoluteOnesAsTyped)
{
    std::string folder = enterOptionsFolder(), dataFolder = folder + "/sub";
    ASSERT_NE(folder, "");
    const int onWindows = BRINEWINGS_ON_WINDOWS;  // which of absolute[] holds here
    struct Case { std::string file; bool absolute[2]; /* on POSIX, on Windows */ } cases[] = {
        {"/x", {true, true}}, {"x", {false, false}}, {"C:/x", {false, true}}, {"c:\\x", {false, true}},
        {"\\\\server\\share\\x", {false, true}}, {"\\x", {false, true}}, {"C:x", {false, false}},
    };
    for (const Case& c : cases) {
        RunOptions options;
        char* argv[] = {(char*)"brinewings", (char*)"--data-dir", dataFolder.data(), (char*)"--record", (char*)c.file.c_str()};
        char message[512] = "";
        ASSERT_EQ(osEnterFolder(folder.c_str()), 0);
        ASSERT_TRUE(parseRunOptions(5, argv, &options, message, sizeof message) &&
                    enterDataFolder(&options, message, sizeof message)) << message;
        EXPECT_EQ(options.recordFile, c.absolute[onWindows] ? c.file : folder + "/" + c.file);
        EXPECT_EQ(osIsAbsolutePath(c.file.c_str()), c.absolute[onWindows]) << c.file;
    }
    leaveOptionsFolder(folder);
}

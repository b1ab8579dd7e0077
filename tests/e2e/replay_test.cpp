// replay_test.cpp -- the real binary on flight files: refusal, record and replay, frames, benchmark
#include "support/flight_run.h"

#include <gtest/gtest.h>

#include <regex>

TEST(Replay, ABadFlightFileEndsTheRunWithStatus2AndOneLineBeforeAnyWindow)
{
    DataFolder data;
    FlightRun run = flyFlight(data, "0 pointer 600 1200\n3 special left\n");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "brinewings: test.flight:2: unknown special key 'left' (up, down, page_up or page_down)\n");
    EXPECT_EQ(run.out, "");
}

TEST(Replay, ARecordedLiveFlightReplaysToTheSameEndInAnotherWindowSize)
{
    DataFolder data;
    Program program(data.path, {"-c", "exec \"$0\" --record rec.flight 2>end.txt", BRINEWINGS_BINARY}, "/bin/sh");
    ASSERT_TRUE(program.waitForWindow());
    program.movePointer(900, 300);
    program.key("Page_Up", 3);
    program.key("Up", 5);
    program.key("w");
    Program::pause(0.3);
    program.movePointer(200, 700);
    program.key("q");
    ASSERT_TRUE(program.waitForExit());
    EXPECT_EQ(program.exitStatus(), 0);
    std::string recorded = readFile(data.path + "/end.txt");
    std::string flight = readFile(data.path + "/rec.flight");
    // Page Up three times: the live input was recorded.
    EXPECT_TRUE(std::regex_match(recorded, std::regex("brinewings: tick [1-9][0-9]* heading -?[0-9.e-]+ eye "
                                                      "(-?[0-9.e-]+ ){3}speed 0.25\n"))) << recorded << flight;
    // Replayed full screen under a window manager: the pointer's steering comes from the file.
    WindowManager manager;
    FlightRun replay = flyFlight(data, "0 key f\n" + flight);
    EXPECT_EQ(replay.status, 0);
    EXPECT_EQ(replay.err, recorded);
}

TEST(Replay, ScreenshotsAreTheSameBytesInAWindowAndOffScreenAndTheBenchmarkReportsEachPhase)
{
    DataFolder data;
    const std::string flight = "0 pointer 600 1200\n20 key w\n40 key s\n40 key w\n60 quit\n";
    // In a window, then off-screen: the full scene, the reference scene and wireframe.
    FlightRun first = flyFlight(data, flight, {10, 50, 30}, "--benchmark");
    std::string firstPng = readFile(data.path + "/shot50.png");
    FlightRun second = flyFlight(data, flight, {10, 50, 30}, "--offscreen --benchmark");
    EXPECT_EQ(first.status, 0);
    EXPECT_EQ(second.status, 0) << second.err;
    ASSERT_EQ(first.shots[1].width, 1200);
    EXPECT_EQ(first.shots[1].height, 1200);
    EXPECT_EQ(readFile(data.path + "/shot50.png"), firstPng);
    for (int i : {0, 1, 2})
        EXPECT_EQ(first.shots[i].rgb, second.shots[i].rgb) << i;
    EXPECT_NE(first.shots[0].rgb, first.shots[1].rgb);
    EXPECT_NE(second.out.find(", window 1200 x 1200, off-screen, no swap\n"), std::string::npos) << second.out;

    std::string out = first.out.substr(first.out.find("Q\t\tQuit\n\n") + 9);
    EXPECT_TRUE(std::regex_match(out, std::regex(
        "brinewings benchmark: renderer .+, OpenGL .+, window 1200 x 1200, swap interval .+\n"
        "brinewings benchmark: phase 1, ticks 1 to 20, full scene: 20 frames in .+\n"
        "brinewings benchmark: phase 2, ticks 21 to 40, full scene, wireframe: 20 frames in .+\n"
        "brinewings benchmark: phase 3, ticks 41 to 60, reference scene: 20 frames in .+\n"
        "brinewings benchmark: 60 frames in [0-9.]+ s, mean [0-9.]+ fps, median [0-9.]+ ms, "
        "99th percentile [0-9.]+ ms\n"))) << out;
}

// replay_test.cpp -- the real binary on flight files: refusal, record and replay, frames, benchmark
#include "support/flight_run.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <chrono>
#include <regex>

// The results file printed as the program prints its figures: every field of every phase, the
// total and how far the route was flown must give the last lines the run printed.
static void expectResultsAsPrinted(const std::string& out, const nlohmann::json& results)
{
    auto figures = [](const nlohmann::json& f) {
        char text[200];
        snprintf(text, sizeof text, "%lld frames in %.2f s, mean %.1f fps, median %.2f ms, 99th percentile %.2f ms\n",
                 f["frames"].get<long long>(), f["seconds"].get<double>(), f["mean_fps"].get<double>(),
                 f["median_ms"].get<double>(), f["percentile_99_ms"].get<double>());
        return std::string(text);
    };
    std::string lines;
    for (size_t i = 0; i < results["phases"].size(); i++) {
        const nlohmann::json& p = results["phases"][i];
        std::string scene = std::string(p["reference_scene"] ? "reference scene" : "full scene") + (p["wireframe"] ? ", wireframe" : "") +
                            (p["fog"] ? "" : ", fog off") + (p["mountains"] ? "" : ", mountains off");
        EXPECT_EQ(p["scene"], scene);
        lines += "brinewings benchmark: phase " + std::to_string(i + 1) + ", ticks " + p["first_tick"].dump() + " to " +
                 p["last_tick"].dump() + ", " + scene + ": " + figures(p);
    }
    std::string end = results["end"]["tick"].dump(), route = results["route_ticks"].dump();
    lines += "brinewings benchmark: " + (results["complete"] ? "" : "incomplete at tick " + end + " of " + route + ": ") +
             figures(results["total"]);
    EXPECT_TRUE(out.size() >= lines.size() && out.compare(out.size() - lines.size(), lines.size(), lines) == 0) << lines << out;
    EXPECT_TRUE(!results["complete"] || end == route);
}

TEST(Replay, ABadFlightFileEndsTheRunWithStatus2AndOneLineBeforeAnyWindow)
{
    DataFolder data;
    struct Case { std::string flight, arguments, err; } cases[] = {
        {"0 pointer 600 1200\n3 special left\n", "",
         "brinewings: test.flight:2: unknown special key 'left' (up, down, page_up or page_down)\n"},
        {"# no events\n", "--benchmark", "brinewings: test.flight: the route flies no ticks\n"},
        {"5 quit\n", "--results r.json", "brinewings: --results needs --benchmark\n"},
    };
    for (const Case& c : cases) {
        FlightRun run = flyFlight(data, c.flight, {}, c.arguments);
        EXPECT_EQ(run.status, 2) << c.flight;
        EXPECT_EQ(run.err, c.err);
        EXPECT_EQ(run.out, "");
    }
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
    program.movePointer(200, 700);
    program.key("q");
    ASSERT_TRUE(program.waitForExit());
    EXPECT_EQ(program.exitStatus(), 0);
    std::string recorded = readFile(data.path + "/end.txt");
    std::string flight = readFile(data.path + "/rec.flight");
    // Page Up three times: the live input was recorded.
    EXPECT_TRUE(std::regex_match(recorded, std::regex("brinewings: tick [1-9][0-9]* heading -?[0-9.e-]+ eye "
                                                      "(-?[0-9.e-]+ ){3}speed 0.25\n"))) << recorded << flight;
    // Replayed in a small window that is not square: the pointer's steering comes from the file.
    FlightRun replay = flyFlight(data, flight, {}, "--size 300x200");
    EXPECT_EQ(replay.status, 0);
    EXPECT_EQ(replay.err, recorded);
}

TEST(Replay, ScreenshotsAreTheSameBytesInAWindowAndOffScreenAndTheBenchmarkReportsEachPhase)
{
    DataFolder data;
    const std::string flight = "0 pointer 600 1200\n20 key w\n40 key s\n40 key w\n60 quit\n";
    // In a window, then off-screen on EGL's device and surfaceless platforms, at a size that is
    // not square: the full scene, the reference scene and wireframe.
    FlightRun first = flyFlight(data, flight, {10, 50, 30}, "--benchmark --results r.json -s 320x200");
    std::string firstPng = readFile(data.path + "/shot50.png");
    // Off-screen with no quit: the route ends one tick after its last event.
    FlightRun second = flyFlight(data, std::regex_replace(flight, std::regex("60 quit"), "59 key m"), {10, 50, 30},
                                 "--offscreen --benchmark -s 320x200 --gpu 0");
    FlightRun third = flyFlight(data, flight, {10, 50, 30}, "--offscreen -s 320x200 --gpu surfaceless");
    EXPECT_EQ(first.status, 0);
    EXPECT_EQ(second.status, 0) << second.err;
    EXPECT_EQ(third.status, 0) << third.err;
    ASSERT_EQ(first.shots[1].width, 320);
    EXPECT_EQ(first.shots[1].height, 200);
    EXPECT_EQ(readFile(data.path + "/shot50.png"), firstPng);
    for (int i : {0, 1, 2}) {
        EXPECT_EQ(first.shots[i].rgb, second.shots[i].rgb) << i;
        EXPECT_EQ(first.shots[i].rgb, third.shots[i].rgb) << i;
    }
    EXPECT_NE(first.shots[0].rgb, first.shots[1].rgb);
    EXPECT_NE(second.out.find(", window 320 x 200, off-screen, no swap, EGL device 0 (software renderer)\n"), std::string::npos) << second.out;
    EXPECT_NE(second.out.find("brinewings benchmark: 60 frames in "), std::string::npos) << second.out;

    std::string out = first.out.substr(first.out.find("Q\t\tQuit\n\n") + 9);
    EXPECT_TRUE(std::regex_match(out, std::regex(
        "brinewings benchmark: renderer .+, OpenGL .+, window 320 x 200, swap interval .+\n"
        "brinewings benchmark: phase 1, ticks 1 to 20, full scene: 20 frames in .+, median .+\n"
        "brinewings benchmark: phase 2, ticks 21 to 40, full scene, wireframe: 20 frames in .+, median .+\n"
        "brinewings benchmark: phase 3, ticks 41 to 60, reference scene: 20 frames in .+, median .+\n"
        "brinewings benchmark: 60 frames in [0-9.]+ s, mean [0-9.]+ fps, median [0-9.]+ ms, "
        "99th percentile [0-9.]+ ms\n"))) << out;
    nlohmann::json results = nlohmann::json::parse(readFile(data.path + "/r.json"), nullptr, false);
    expectResultsAsPrinted(out, results);
}

// Ended by SIGTERM, a benchmark prints its figures and writes its results marked incomplete;
// written to standard output, the results are all it carries, and the figures go to standard error.
TEST(Replay, ASignalEndsABenchmarkWithItsFiguresAndResults)
{
    DataFolder data;
    data.write("test.flight", "0 key s\n0 pointer 600 1200\n1000000 quit\n");
    EXPECT_EQ(shell("cd '" + data.path + "' && { env -u DISPLAY '" BRINEWINGS_BINARY "' --offscreen --replay test.flight "
                               "--benchmark -s 64x64 --results /dev/stdout --screenshot 999999:late.png >out.txt 2>err.txt & "
                               "until grep -q Quit err.txt; do sleep 0.1; done; sleep 1; kill -TERM $!; wait $!; echo $?; }"), "143\n");
    std::string out = readFile(data.path + "/out.txt"), err = readFile(data.path + "/err.txt");
    nlohmann::json results = nlohmann::json::parse(out, nullptr, false);
    ASSERT_FALSE(results.is_discarded()) << out;
    EXPECT_EQ(results["complete"], false);
    expectResultsAsPrinted(err, results);
    EXPECT_TRUE(std::regex_search(err, std::regex("^== CONTROLS ==\n(.+\n|\n)+brinewings: stopped by SIGTERM\nbrinewings: tick [0-9]+ .+\n"
                                                  "brinewings: late.png: not written: .+\nbrinewings benchmark: renderer "))) << err;
}

// The recording ends at the tick its run ended: at a key q read from the flight file, at the
// window closed, or, past a file-size limit, at its last whole line, and replays to that tick.
TEST(Replay, ARecordingEndsAtTheTickItsRunEnded)
{
    DataFolder data;
    FlightRun byQ = flyFlight(data, "0 pointer 600 1200\n25 key q\n", {}, "--record rec.flight");
    EXPECT_EQ(readFile(data.path + "/rec.flight"), "0 pointer 600 1200\n25 key q\n");
    EXPECT_EQ(byQ.err.substr(0, 20), "brinewings: tick 25 ");

    Program program(data.path, {"-c", "exec \"$0\" --record closed.flight 2>end.txt", BRINEWINGS_BINARY}, "/bin/sh");
    ASSERT_TRUE(program.waitForWindow());
    shell("xdotool windowclose " + std::to_string(program.window()));
    ASSERT_TRUE(program.waitForExit());
    EXPECT_EQ(program.exitStatus(), 0);
    std::string end = readFile(data.path + "/end.txt"), closed = readFile(data.path + "/closed.flight");
    std::smatch tick;
    ASSERT_TRUE(std::regex_search(end, tick, std::regex("brinewings: tick ([0-9]+) "))) << end;
    EXPECT_EQ(closed.substr(closed.rfind('\n', closed.size() - 2) + 1), tick[1].str() + " quit\n") << closed;

    std::string many;
    for (int t = 0; t < 200; t++)
        many += std::to_string(t) + " pointer " + std::to_string(t) + " 300\n";
    data.write("many.flight", many + "200 quit\n");
    EXPECT_EQ(shell("cd '" + data.path + "' && (ulimit -f 3; '" BRINEWINGS_BINARY "' --replay many.flight --record lim.flight "
                    "-s 64x64 >/dev/null 2>lim.txt); echo $?"), "1\n");
    std::string cut = readFile(data.path + "/lim.flight");
    // Three blocks: 1536 bytes in dash, 3072 in bash.
    EXPECT_TRUE(cut.size() > 1500 && cut.back() == '\n' && many.compare(0, cut.size(), cut) == 0) << cut.size();
    FlightRun replay = flyFlight(data, cut, {}, "--offscreen -s 64x64");
    EXPECT_EQ(replay.status, 0);
    EXPECT_EQ(readFile(data.path + "/lim.txt"), "brinewings: lim.flight: File too large\n" + replay.err);
}

// A write that fails, on a device or past a file-size limit, is named with its reason and gives
// status 1; the device stays a device and a regular file keeps what it held.
TEST(Replay, AFailedWriteEndsTheRunWithStatus1AndLeavesTheFileAsItWas)
{
    DataFolder data;
    data.write("test.flight", "0 pointer 600 1200\n5 quit\n");
    data.write("big.png", "old");
    struct Case { std::string limit, file, reason; } cases[] = {
        {"", "/dev/full", "No space left on device"},
        {"ulimit -f 64; ", "big.png", "File too large"},
    };
    for (const Case& c : cases) {
        std::string status = shell("cd '" + data.path + "' && (" + c.limit + "'" BRINEWINGS_BINARY
                                   "' --offscreen --replay test.flight --screenshot 1:" + c.file + " >/dev/null 2>err.txt); echo $?");
        EXPECT_EQ(status, "1\n") << c.file;
        // One line for the file, then the end line.
        std::string err = readFile(data.path + "/err.txt"), line = "brinewings: " + c.file + ": " + c.reason + "\n";
        EXPECT_EQ(err.substr(0, line.size()), line) << err;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 2) << err;
    }
    EXPECT_EQ(shell("stat -c %F /dev/full"), "character special file\n");
    EXPECT_TRUE(readFile(data.path + "/big.png") == "old") << "big.png was changed";
    EXPECT_EQ(shell("ls -A '" + data.path + "' | grep -c brinewings-"), "0\n");
}

TEST(Replay, AScreenshotNotReachedIsNamedAndTheStatusIs1)
{
    DataFolder data;
    data.write("test.flight", "0 pointer 600 1200\n");
    Program program(data.path, {"-c", "exec \"$0\" --replay test.flight --screenshot 1000000000:late.png 2>err.txt",
                                BRINEWINGS_BINARY}, "/bin/sh");
    ASSERT_TRUE(program.waitForWindow());
    program.key("q");
    ASSERT_TRUE(program.waitForExit());
    EXPECT_EQ(program.exitStatus(), 1);
    std::string err = readFile(data.path + "/err.txt");
    EXPECT_TRUE(std::regex_search(err, std::regex("\nbrinewings: late.png: not written: the run ended at tick "
                                                  "[0-9]+, before the frame of tick 1000000000\n$"))) << err;
}

// Minimised, the flight waits for its frames without spinning; ended by Q, the benchmark says
// where it stopped, and every tick before that was timed once.
TEST(Replay, AnInterruptedBenchmarkIsMarkedIncompleteAndAMinimisedWindowHoldsTheFlight)
{
    DataFolder data;
    data.write("test.flight", "0 key s\n0 pointer 600 1200\n1000000 quit\n");
    WindowManager manager;
    Program program(data.path, {"--replay", "test.flight", "--benchmark"});
    ASSERT_TRUE(program.waitForWindow());
    auto shown = std::chrono::steady_clock::now();
    EXPECT_LT(program.cpuTicksMinimised(2.0), 40) << "clock ticks of CPU in 2 s minimised";
    program.key("q");
    ASSERT_TRUE(program.waitForExit());
    double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - shown).count();
    EXPECT_EQ(program.exitStatus(), 1);
    std::smatch end;
    ASSERT_TRUE(std::regex_search(program.output(), end, std::regex("\nbrinewings benchmark: incomplete at tick ([0-9]+) of 1000000: "
                                                       "([0-9]+) frames in ([0-9.]+) s, mean .+\n$"))) << program.output();
    EXPECT_EQ(std::stoll(end[2]), std::stoll(end[1]) - 1) << "frames 1 to N - 1 timed, the frame of N not drawn";
    EXPECT_LT(std::stod(end[3]), wall - 2.0) << "the time minimised is no frame's time";
}


// Paced by the clock, a replay flies the same ticks and frames, in the time its ticks say.
TEST(Replay, AFlightPacedByTheClockEndsAndDrawsAsUnpacedInTheTimeItsTicksSay)
{
    DataFolder data;
    const std::string flight = "0 pointer 100 400\n5 key w\n20 special up\n45 quit\n";
    FlightRun unpaced = flyFlight(data, flight, {10, 30}, "--offscreen -s 400x300");
    auto start = std::chrono::steady_clock::now();
    FlightRun paced = flyFlight(data, flight, {10, 30}, "--offscreen -s 400x300 --tick-rate 30");
    std::chrono::duration<double> taken = std::chrono::steady_clock::now() - start;
    EXPECT_GE(taken.count(), 1.5);  // 45 ticks at 30 a second
    // At 10000 a second every frame's time makes many ticks due at once; the pacer still stops at
    // each tick whose frame is asked for.
    FlightRun rushed = flyFlight(data, flight, {10, 30}, "--offscreen -s 400x300 --tick-rate 10000");
    ASSERT_EQ(paced.status, 0) << paced.err;
    EXPECT_EQ(paced.err, "brinewings: tick 45 heading 0.449999869 eye 0.0172690991 1.20000005 3.34464145 speed 0.100000001\n");
    for (const FlightRun* run : {&paced, &rushed}) {
        EXPECT_EQ(run->err, unpaced.err);
        for (int i : {0, 1})
            EXPECT_EQ(run->shots[i].rgb, unpaced.shots[i].rgb) << i;
    }
}

// An output that is standard output carries its own bytes alone, the program's lines go to
// standard error: the recording is the flight, the picture the frame.
TEST(Replay, AnOutputThatIsStandardOutputCarriesItAlone)
{
    DataFolder data;
    const std::string flight = "0 pointer 600 1200\n20 key w\n30 quit\n";
    FlightRun recorded = flyFlight(data, flight, {}, "-s 64x64 --record /dev/stdout");
    EXPECT_EQ(recorded.status, 0) << recorded.err;
    EXPECT_EQ(recorded.out, flight);
    EXPECT_EQ(recorded.err.rfind("== CONTROLS ==\n", 0), 0u) << recorded.err;
    FlightRun shot = flyFlight(data, flight, {10}, "--offscreen -s 64x64 --screenshot 10:/dev/stdout");
    EXPECT_EQ(shot.status, 0) << shot.err;
    EXPECT_TRUE(shot.out.size() > 100 && shot.out == readFile(data.path + "/shot10.png")) << shot.out.size();
}

// A named pipe is written once its reader has it open; a run waiting for a reader that does not
// come ends at a signal, long before the wait's bound, with its report.
TEST(Replay, ANamedPipeIsWrittenForItsReaderAndASignalEndsTheWaitForOne)
{
    DataFolder data;
    data.write("test.flight", "0 pointer 600 1200\n20 quit\n");
    const std::string run = "cd '" + data.path + "' && rm -f fifo && mkfifo fifo && { timeout 60 env -u DISPLAY '" BRINEWINGS_BINARY
                            "' --offscreen -s 64x64 --replay test.flight ";
    EXPECT_EQ(shell(run + "--screenshot 5:fifo --screenshot 5:shot.png >/dev/null 2>&1 & cat fifo >got.png; wait $!; echo $?; }"), "0\n");
    EXPECT_EQ(readFile(data.path + "/got.png"), readFile(data.path + "/shot.png"));
    auto start = std::chrono::steady_clock::now();
    std::string status = shell(run + "--screenshot 0:early.png --screenshot 5:fifo >/dev/null 2>err.txt & for i in $(seq 600); do "
                             "[ -e early.png ] && break; sleep 0.1; done; kill -INT $!; wait $!; echo $?; }");
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 9.0);
    // Stopped in the wait or just before it, the run ends as the signal does.
    EXPECT_EQ(status, "130\n");
    EXPECT_TRUE(std::regex_search(readFile(data.path + "/err.txt"), std::regex("stopped by SIGINT\nbrinewings: tick [0-9]+ ")));
}

// wayland_test.cpp -- the window on a Wayland compositor (weston): its size, its frames against
// off-screen ones, full screen, and a compositor that does not answer
#include "support/flight_run.h"
#include "support/wayland_compositor.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>

TEST(WaylandWindow, OpensAtTheSizeAskedAndDrawsByteForByteWhatOffScreenDraws)
{
    // The same window on an output at scale 2 is half the size in the desktop's units, drawn at
    // the output's resolution.
    Compositor weston(1000, 700), scaled(1000, 700, false, 2);
    ASSERT_TRUE(weston.ready() && scaled.ready());
    DataFolder wayland, offscreen, sharp;
    // Steering, a climb, speed, wireframe, the reference scene and back, fog off: each a new
    // frame. No X display: the Wayland one is taken without being asked for.
    const std::string flight = "0 pointer 500 640\n10 special up\n12 special page_up\n20 pointer 100 640\n"
                               "25 key w\n35 key W\n40 key s\n45 key s\n50 key b\n60 quit\n";
    const std::vector<int> ticks = {0, 30, 42, 59};
    FlightRun window = flyFlight(wayland, flight, ticks, "--size 640x400", weston.environment());
    FlightRun reference = flyFlight(offscreen, flight, ticks, "--offscreen --size 640x400");
    FlightRun twice = flyFlight(sharp, flight, ticks, "--size 320x200", scaled.environment());
    ASSERT_EQ(window.status, 0) << window.err;
    ASSERT_EQ(reference.status, 0) << reference.err;
    ASSERT_EQ(twice.status, 0) << twice.err;
    EXPECT_EQ(window.out, reference.out);
    EXPECT_EQ(window.err, reference.err);
    EXPECT_EQ(twice.err, reference.err);
    EXPECT_EQ(window.err.rfind("brinewings: tick 60 heading ", 0), 0u) << window.err;
    for (size_t i = 0; i < ticks.size(); i++) {
        std::string shot = "/shot" + std::to_string(ticks[i]) + ".png";
        EXPECT_EQ(window.shots[i].width, 640) << ticks[i];
        EXPECT_EQ(window.shots[i].height, 400) << ticks[i];
        EXPECT_TRUE(readFile(wayland.path + shot) == readFile(offscreen.path + shot)) << ticks[i];
        EXPECT_TRUE(readFile(sharp.path + shot) == readFile(offscreen.path + shot)) << ticks[i];
    }
}

TEST(WaylandWindow, FullScreenTakesTheOutputAndGivesBackTheSquareFittedToIt)
{
    Compositor weston(1000, 700);
    ASSERT_TRUE(weston.ready());
    DataFolder data;
    // Started full screen, F back to the window, f to full screen again; each frame right after a
    // toggle already has the new size. The window's square is fitted to the 700-pixel output.
    FlightRun run = flyFlight(data, "0 pointer 0 640\n20 key F\n40 key f\n60 quit\n", {19, 21, 41},
                              "--fullscreen --platform wayland", weston.environment());
    ASSERT_EQ(run.status, 0) << run.err;
    const int sides[3][2] = {{1000, 700}, {636, 636}, {1000, 700}};
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(run.shots[i].width, sides[i][0]) << i;
        EXPECT_EQ(run.shots[i].height, sides[i][1]) << i;
    }
}

TEST(WaylandWindow, ACompositorThatDoesNotAnswerEndsTheRunWithOneLine)
{
    // A socket that takes connections and never reads from them, as a stopped compositor's does;
    // and a name no compositor listens on.
    char folder[] = "/tmp/brinewings-dead.XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    int listener = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    std::string path = std::string(folder) + "/wl-dead";
    snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
    ASSERT_EQ(bind(listener, (sockaddr*)&address, sizeof address), 0);
    ASSERT_EQ(listen(listener, 4), 0);
    struct Case { const char* name; std::string line; } cases[] = {
        {"wl-dead", "brinewings: the Wayland display 'wl-dead' does not answer (nothing within 5 s)\n"},
        {"wl-none", "brinewings: no Wayland display to open a window on: 'wl-none' does not answer\n"},
    };
    for (const Case& c : cases) {
        DataFolder data;
        auto start = std::chrono::steady_clock::now();
        FlightRun run = flyFlight(data, "0 quit\n", {}, "",
                                  "XDG_RUNTIME_DIR=" + std::string(folder) + " WAYLAND_DISPLAY=" + c.name);
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_EQ(run.status, 1) << c.name;
        EXPECT_EQ(run.err, c.line);
        EXPECT_EQ(run.out, "");
        EXPECT_LT(seconds, 15.0) << c.name;
    }
    close(listener);
    shell("rm -rf '" + std::string(folder) + "'");
}

// The window's title bar, which libdecor draws black, on weston's output: the first row with a
// black run as wide as the 400-pixel window. False when there is none (full screen).
static bool findTitleBar(const Screenshot& shot, int* right, int* top)
{
    for (int y = 0; y < shot.height; y++) {
        int run = 0;
        for (int x = 0; x < shot.width; x++) {
            run = shot.r(x, y) < 16 && shot.g(x, y) < 16 && shot.b(x, y) < 16 ? run + 1 : 0;
            if (run >= 380 && (x + 1 == shot.width || shot.r(x + 1, y) >= 16)) {
                *right = x;
                *top = y;
                return true;
            }
        }
    }
    return false;
}

TEST(WaylandWindow, KeysPointerFullScreenAndTheCloseButtonOnACompositorWithASeat)
{
    // weston as a window on the test's X server: xdotool's input reaches it, and it hands it on.
    Compositor weston(900, 700, true);
    ASSERT_TRUE(weston.ready());
    DataFolder data;
    std::string shotFile = data.path + "/screen.png";
    auto screen = [&] {
        shell("import -window root -crop 900x700+0+0 '" + shotFile + "' 2>/dev/null");
        return readPng(shotFile);
    };
    std::string pid = shell("cd '" + data.path + "' && env -u DISPLAY " + weston.environment() + " timeout 60 '"
                            BRINEWINGS_BINARY "' --size 400x300 --record rec.flight >out.txt 2>err.txt & echo $!");
    int right = 0, top = 0;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!findTitleBar(screen(), &right, &top) && std::chrono::steady_clock::now() < deadline)
        Program::pause(0.2);
    ASSERT_GT(right, 0) << "no window on weston's output";
    std::string inside = std::to_string(right - 100) + " " + std::to_string(top + 100);
    // Waits, within a bound, for the title bar to be there or gone.
    auto titleBar = [&](bool shown) {
        auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (findTitleBar(screen(), &right, &top) != shown && std::chrono::steady_clock::now() < until)
            Program::pause(0.2);
        return findTitleBar(screen(), &right, &top) == shown;
    };
    shell("xdotool mousemove " + inside + " sleep 0.3 mousemove_relative 40 0 sleep 0.3 key m sleep 0.3 key Page_Up "
          "sleep 0.3 key f");
    EXPECT_TRUE(titleBar(false)) << "full screen keeps the title bar";
    shell("xdotool key f");
    ASSERT_TRUE(titleBar(true)) << "the window did not come back from full screen";
    // The close button is the last of the three at the title bar's right end.
    shell("xdotool mousemove " + std::to_string(right - 16) + " " + std::to_string(top + 12) + " sleep 0.3 click 1");
    std::string status = shell("timeout 10 tail --pid=" + pid.substr(0, pid.find('\n')) +
                               " -f /dev/null && echo ended");
    EXPECT_EQ(status, "ended\n");
    std::string recording = readFile(data.path + "/rec.flight");
    for (const char* event : {" pointer ", " key m\n", " special page_up\n", " key f\n"})
        EXPECT_NE(recording.find(event), std::string::npos) << event << " not in:\n" << recording;
    EXPECT_EQ(readFile(data.path + "/err.txt").rfind("brinewings: tick ", 0), 0u) << readFile(data.path + "/err.txt");
}

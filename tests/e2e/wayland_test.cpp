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
    Compositor weston(1000, 700);
    ASSERT_TRUE(weston.ready());
    DataFolder wayland, offscreen;
    // Steering, a climb, speed, wireframe, the reference scene and back, fog off: each a new
    // frame. No X display: the Wayland one is taken without being asked for.
    const std::string flight = "0 pointer 500 640\n10 special up\n12 special page_up\n20 pointer 100 640\n"
                               "25 key w\n35 key W\n40 key s\n45 key s\n50 key b\n60 quit\n";
    const std::vector<int> ticks = {0, 30, 42, 59};
    FlightRun window = flyFlight(wayland, flight, ticks, "--size 640x400", weston.environment());
    FlightRun reference = flyFlight(offscreen, flight, ticks, "--offscreen --size 640x400");
    ASSERT_EQ(window.status, 0) << window.err;
    ASSERT_EQ(reference.status, 0) << reference.err;
    EXPECT_EQ(window.out, reference.out);
    EXPECT_EQ(window.err, reference.err);
    EXPECT_EQ(window.err.rfind("brinewings: tick 60 heading ", 0), 0u) << window.err;
    for (size_t i = 0; i < ticks.size(); i++) {
        std::string shot = "/shot" + std::to_string(ticks[i]) + ".png";
        EXPECT_EQ(window.shots[i].width, 640) << ticks[i];
        EXPECT_EQ(window.shots[i].height, 400) << ticks[i];
        EXPECT_TRUE(readFile(wayland.path + shot) == readFile(offscreen.path + shot)) << ticks[i];
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

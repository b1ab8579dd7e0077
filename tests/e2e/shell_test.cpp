// shell_test.cpp -- the real binary: window, controls summary, keys and quitting
#include "support/flight_run.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <sstream>

static const char* kControls =
    "== CONTROLS ==\n"
    "MOUSE\t\tDirection\n"
    "UP ARROW\tIncrease Altitude\n"
    "DOWN ARROW\tDecrease Altitude\n"
    "PAGE UP\t\tIncrease Speed\n"
    "PAGE DOWN\tDecrease Speed\n\n"
    "W\t\tToggle Wireframe\n"
    "S\t\tToggle Scene\n"
    "M\t\tToggle Mountains\n"
    "B\t\tToggle Fog\n\n"
    "F\t\tToggle Fullscreen\n\n"
    "Q\t\tQuit\n\n";

// The pictures of a _NET_WM_ICON value as xprop prints it in decimal ("16, 16, argb, ...,
// 32, 32, ..."), by side.
static std::map<int, std::vector<unsigned long>> iconsIn(const std::string& xpropLine)
{
    std::map<int, std::vector<unsigned long>> icons;
    std::istringstream in(xpropLine.substr(xpropLine.find('=') + 1));
    std::vector<unsigned long> words;
    for (std::string word; std::getline(in, word, ',');)
        words.push_back(std::stoul(word));
    for (size_t i = 0; i + 2 <= words.size();) {
        size_t w = words[i], h = words[i + 1];
        if (w == 0 || w != h || i + 2 + w * h > words.size())
            break;
        icons[(int)w].assign(words.begin() + (long)i + 2, words.begin() + (long)(i + 2 + w * h));
        i += 2 + w * h;
    }
    return icons;
}

TEST(Shell, OpensItsWindowPrintsTheControlsAndQuitsOnQ)
{
    DataFolder data;
    Program program(data.path);
    ASSERT_TRUE(program.waitForWindow());
    EXPECT_EQ(program.title(), "brinewings");
    int width = 0, height = 0;
    program.size(width, height);
    EXPECT_EQ(width, 1200);
    EXPECT_EQ(height, 1200);

    // The window names itself to the desktop: the class of its desktop entry, its process
    // and the installed icon's own pixels.
    std::string id = std::to_string(program.window());
    EXPECT_EQ(shell("xprop -id " + id + " -notype WM_CLASS _NET_WM_PID"),
              "WM_CLASS = \"brinewings\", \"brinewings\"\n_NET_WM_PID = " + std::to_string(program.pid()) + "\n");
    auto icons = iconsIn(shell("xprop -id " + id + " -notype -f _NET_WM_ICON 32c ' = $0+' _NET_WM_ICON"));
    ASSERT_EQ(icons.size(), 4u);
    std::string png = shell("convert '" + std::string(BRINEWINGS_DATA_DIR) +
                            "/generated/icons/brinewings-32.png' -depth 8 rgba:-");
    ASSERT_EQ(png.size(), 32u * 32u * 4u);
    for (size_t i = 0; i < 32 * 32; i++) {
        const unsigned char* p = (const unsigned char*)png.data() + i * 4;
        unsigned long argb = (unsigned long)p[3] << 24 | (unsigned long)p[0] << 16 | (unsigned long)p[1] << 8 | p[2];
        ASSERT_EQ(icons[32][i], argb) << "pixel " << i;
    }
    program.key("q");
    ASSERT_TRUE(program.waitForExit());
    EXPECT_EQ(program.exitStatus(), 0);
    EXPECT_EQ(program.output(), kControls);
}

// A plain run minimised sleeps on the window system's events instead of flying on unseen.
TEST(Shell, APlainRunMinimisedSleepsAndFliesOnWhenShown)
{
    DataFolder data;
    WindowManager manager;
    ASSERT_TRUE(manager.ready());
    Program program(data.path, {"--size", "300x200", "--hud"});
    ASSERT_TRUE(program.waitForWindow());
    EXPECT_LT(program.cpuTicksMinimised(2.0), 40) << "clock ticks of CPU in 2 s minimised";
    program.key("q");
    ASSERT_TRUE(program.waitForExit());
    EXPECT_EQ(program.exitStatus(), 0);
}

TEST(Shell, CapitalQQuitsFreeglutsOptionsPassAndTheWindowFitsAShortWorkAreaUnlessSized)
{
    // A laptop's 1366 x 768 screen less a panel: the window is the largest square that fits
    // with its frame (3 + 7 beside it, 19 + 5 above and below): 740 - 24.
    WindowManager manager("", BRINEWINGS_FRAMING_WM);
    ASSERT_TRUE(manager.ready());
    shell("xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA '0, 0, 1366, 740'");
    DataFolder data;
    Program program(data.path, {"-sync"});
    ASSERT_TRUE(program.waitForWindow());
    int width = 0, height = 0;
    program.size(width, height);
    EXPECT_EQ(width, 716);
    EXPECT_EQ(height, 716);
    program.key("shift+q");
    ASSERT_TRUE(program.waitForExit());
    EXPECT_EQ(program.exitStatus(), 0);
    EXPECT_EQ(program.output(), kControls);
    // A size asked for is kept as given.
    Program sized(data.path, {"-s", "1300x700"});
    ASSERT_TRUE(sized.waitForWindow());
    sized.size(width, height);
    EXPECT_EQ(width, 1300);
    EXPECT_EQ(height, 700);
}

// The number after label in an xwininfo or xprop answer.
static int numberAfter(const std::string& text, const std::string& label)
{
    size_t at = text.find(label);
    return at == std::string::npos ? -1 : std::atoi(text.c_str() + at + label.size());
}

TEST(Shell, GeometryOffsetsFromTheFarEdgesPlaceTheWindowByItsRealSize)
{
    // With no size the window is its own 1200 x 1200, or the square fitted to a 740-pixel work
    // area (716). Its edges (or its frame's, where a window manager frames it) lie as far from
    // the screen's as asked: left, top, right, bottom; -1 where not asked.
    testDisplay();
    std::string root = shell("xwininfo -root");
    struct Row { const char* manager; const char* geometry; int width, height, edges[4]; };
    const Row rows[] = {
        {"", "-10-10", 1200, 1200, {-1, -1, 10, 10}},
        {"", "300x200-10+20", 300, 200, {-1, 20, 10, -1}},
        {"", "+30-40", 1200, 1200, {30, -1, -1, 40}},
        {BRINEWINGS_FRAMING_WM, "-10-10", 716, 716, {-1, -1, 10, 10}},  // announces a frame it never draws
        {"openbox", "-10-10", 1200, 1200, {-1, -1, 10, 10}},
    };
    DataFolder data;
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.manager) + " -geometry " + row.geometry);
        std::unique_ptr<WindowManager> manager;
        if (row.manager[0] != '\0')
            manager = std::make_unique<WindowManager>("", row.manager);
        ASSERT_TRUE(manager == nullptr || manager->ready());
        if (row.width == 716)
            shell("xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA '0, 0, 1366, 740'");
        Program program(data.path, {"-geometry", row.geometry});
        ASSERT_TRUE(program.waitForWindow());
        std::string id = std::to_string(program.window());
        int frame[4] = {0, 0, 0, 0};  // left, right, top, bottom
        if (std::string(row.manager) == "openbox")
            sscanf(shell("xprop -id " + id + " _NET_FRAME_EXTENTS").c_str(), "%*[^=]= %d, %d, %d, %d", &frame[0],
                   &frame[1], &frame[2], &frame[3]);
        int edges[4] = {0, 0, 0, 0}, width = 0, height = 0;
        for (int i = 0; i < 50; i++) {  // the window manager may still be placing it: 5 s at most
            std::string info = shell("xwininfo -id " + id);
            int x = numberAfter(info, "Absolute upper-left X: "), y = numberAfter(info, "Absolute upper-left Y: ");
            width = numberAfter(info, "Width: ");
            height = numberAfter(info, "Height: ");
            int now[4] = {x - frame[0], y - frame[2], numberAfter(root, "Width: ") - x - width - frame[1],
                          numberAfter(root, "Height: ") - y - height - frame[3]};
            bool placed = true;
            for (int e = 0; e < 4; e++) {
                edges[e] = row.edges[e] < 0 ? -1 : now[e];
                placed = placed && edges[e] == row.edges[e];
            }
            if (placed)
                break;
            Program::pause(0.1);
        }
        EXPECT_EQ(std::vector<int>(edges, edges + 4), std::vector<int>(row.edges, row.edges + 4));
        EXPECT_EQ(std::vector<int>({width, height}), std::vector<int>({row.width, row.height}));
        program.key("q");
        EXPECT_TRUE(program.waitForExit());
        shell("xprop -root -remove _NET_WORKAREA");
    }
}

TEST(Shell, SAndWAndThePointerVisiblyChangeTheNextFrames)
{
    DataFolder data;
    // Full left steering flies a circle of radius 5 near the start, over the grid; S turns the
    // sky and sea into the reference scene, W draws one tick in wireframe, then full right.
    FlightRun run = flyFlight(data, "0 pointer 0 400\n5 key s\n10 key w\n11 key w\n11 pointer 399 400\n40 quit\n",
                              {4, 9, 10, 39}, "--offscreen --size 400x400");
    ASSERT_EQ(run.status, 0) << run.err;
    const Screenshot& reference = run.shots[1];
    ASSERT_EQ(reference.width, 400);
    EXPECT_GT(run.shots[0].differenceTo(reference), 20.0);
    EXPECT_GT(reference.differenceTo(run.shots[2]), 0.0);
    EXPECT_GT(reference.differenceTo(run.shots[3]), 1.0);
}

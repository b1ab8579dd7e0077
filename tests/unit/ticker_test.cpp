// ticker_test.cpp -- one tick's events from the pad, the live input and the flight file, and the run's rules
#include "flight/flight.h"
#include "flight/flight_file.h"
#include "flight/live_input.h"
#include "flight/ticker.h"
#include "output/recording.h"
#include "run/run_rules.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <list>
#include <string>
#include <vector>

// A pad made in the test: the events it hands over at each tick.
static std::vector<FlightEvent> padEvents;

static int takePad(long long tick, FlightEvent* events, int capacity)
{
    int count = 0;
    for (size_t i = 0; i < padEvents.size(); i++) {
        if (padEvents[i].tick == tick && count < capacity)
            events[count++] = padEvents[i];
    }
    return count;
}

static bool padHolds()
{
    return false;
}

static const InputSource testPad = {false, takePad, padHolds};

static std::string readText(const std::string& file)
{
    FILE* in = fopen(file.c_str(), "r");
    char text[512] = "";
    if (in != nullptr) {
        text[fread(text, 1, sizeof text - 1, in)] = 0;
        fclose(in);
    }
    return text;
}

class TickerTest : public testing::Test {
protected:
    void SetUp() override
    {
        folder = std::string(testing::TempDir()) + "ticker." + std::to_string(rand());
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        ASSERT_FALSE(error) << folder << ": " << error.message();
        resetFlightInput();
        padEvents.clear();
    }
    // prepareRun with these options after the program's name, files in the test's folder.
    void prepare(const std::vector<std::string>& arguments, const std::string& flight = "")
    {
        if (!flight.empty())
            write("test.flight", flight);
        std::vector<char*> argv = {(char*)"brinewings"};
        for (const std::string& argument : arguments) {
            bool file = argument.find(".flight") != std::string::npos;
            kept.push_back(file ? folder + "/" + argument : argument);  // the options point into it
            argv.push_back((char*)kept.back().c_str());
        }
        flightEventCount = 0;
        resetFlightInput();
        ASSERT_EQ(prepareRun((int)argv.size(), argv.data(), nullptr), -1);
        setRunSources(&testPad);
    }
    void write(const std::string& name, const std::string& text)
    {
        FILE* file = fopen((folder + "/" + name).c_str(), "w");
        fputs(text.c_str(), file);
        fclose(file);
    }
    std::string folder;
    std::list<std::string> kept;
};

// Pad, then live input, then flight file: the pad's and the live events act in that order, and
// while a replay has events to come only a live Q still acts, before the file's events of its tick.
TEST_F(TickerTest, PadThenLiveThenFlightFileAndQuitStopsTheTickAtOnce)
{
    prepare({"--record", "rec.flight"});
    ASSERT_TRUE(openRecording(runOptions().recordFile));
    padEvents = {{0, kFlightPointer, 0, 65536}, {0, kFlightKey, 'w', 0}};
    queueLiveEvent(kFlightPointer, 900, 1200);
    queueLiveEvent(kFlightPointer, 1200, 1200);  // motion between two ticks counts once, at its last place
    queueLiveEvent(kFlightKey, 'W', 0);
    EXPECT_EQ(stepTicker(), kRequestNone);
    EXPECT_EQ(steer, 1.0f) << "the live pointer acts after the pad's";
    EXPECT_EQ(wireframe, 0);
    EXPECT_EQ(flightTick, 1);
    ASSERT_TRUE(closeRecording(flightTick));
    EXPECT_EQ(readText(folder + "/rec.flight"), "0 pointer 0 65536\n0 key w\n0 pointer 1200 1200\n0 key W\n1 quit\n");

    prepare({"--offscreen", "--replay", "test.flight"}, "0 pointer 300 1200\n2 key w\n");
    padEvents = {{0, kFlightPointer, 0, 65536}, {1, kFlightKey, 's', 0}};
    queueLiveEvent(kFlightPointer, 1200, 1200);
    EXPECT_EQ(stepTicker(), kRequestNone);
    EXPECT_EQ(steer, -0.5f) << "the replay's pointer alone";
    queueLiveEvent(kFlightKey, 'm', 0);
    EXPECT_EQ(stepTicker(), kRequestNone);
    EXPECT_EQ(referenceScene, 0);
    EXPECT_EQ(mountainsOn, 1);
    EXPECT_TRUE(tickerReplaying());
    queueLiveEvent(kFlightKey, 'M', 0);
    queueLiveEvent(kFlightKey, 'Q', 0);
    queueLiveEvent(kFlightKey, 'b', 0);
    EXPECT_TRUE(liveQuitWaiting());
    EXPECT_EQ(takeTickEvents(), kTickEnded | kRequestQuit);
    EXPECT_EQ(flightTick, 2) << "Q does not advance the flight";
    EXPECT_EQ(wireframe, 0) << "the file's events of the tick come after the live Q";
    EXPECT_EQ(fogOn, 1);
}

// Two F or two H in one tick cancel out; one that ends the flight ends the tick.
TEST_F(TickerTest, TogglesInOneTickCancelOutInPairs)
{
    prepare({});
    queueLiveEvent(kFlightKey, 'f', 0);
    queueLiveEvent(kFlightKey, 'h', 0);
    queueLiveEvent(kFlightKey, 'F', 0);
    EXPECT_EQ(stepTicker(), kRequestHud);
    queueLiveEvent(kFlightKey, 'f', 0);
    EXPECT_EQ(stepTicker(), kRequestFullScreen);
    EXPECT_EQ(flightTick, 2);
}

// A flight of pad, live and file events, recorded as it flies, replays alone to the same state.
TEST_F(TickerTest, ARecordingOfAMixedFlightReplaysToTheSameState)
{
    prepare({"--replay", "test.flight", "--record", "rec.flight"}, "0 key m\n3 special page_up\n");
    ASSERT_TRUE(openRecording(runOptions().recordFile));
    padEvents = {{4, kFlightPointer, 50000, 65536}, {6, kFlightSpecial, kSpecialUp, 0}, {9, kFlightKey, 'b', 0}};
    for (int tick = 0; tick < 12; tick++) {
        if (tick == 5)
            queueLiveEvent(kFlightPointer, 100, 640);
        if (tick == 7)
            queueLiveEvent(kFlightSpecial, kSpecialPageDown, 0);
        ASSERT_EQ(stepTicker() & kTickRecordFailed, 0);
    }
    ASSERT_TRUE(closeRecording(flightTick));
    float flown[] = {heading, steer, speed, eye.x, eye.y, eye.z, propTime};
    int toggles = toggleBits();

    EXPECT_EQ(readText(folder + "/rec.flight"), "0 key m\n3 special page_up\n4 pointer 50000 65536\n5 pointer 100 640\n6 special up\n"
                       "7 special page_down\n9 key b\n12 quit\n");
    padEvents.clear();
    prepare({"--offscreen", "--replay", "rec.flight"});
    int requests = 0;
    while ((requests & kTickEnded) == 0)
        requests = stepTicker();
    float replayed[] = {heading, steer, speed, eye.x, eye.y, eye.z, propTime};
    EXPECT_EQ(flightTick, 12);
    EXPECT_EQ(toggleBits(), toggles);
    for (int i = 0; i < 7; i++)
        EXPECT_EQ(replayed[i], flown[i]) << i;
}

// Every run holds its flight while its window is hidden; a scripted one also waits for a
// full-screen answer, and gives up on a window never shown or a toggle never answered.
TEST_F(TickerTest, TheWindowRulesHoldTheFlightAndEndAWaitThatNeverEnds)
{
    static bool settled = false;
    auto answered = [] { return settled; };
    const long long s = 1000000000LL;
    prepare({"--size", "200x100"});  // a plain run
    beginRunRules(0, nullptr);
    EXPECT_EQ(windowWait(0, false, answered), kWindowHold);
    EXPECT_EQ(windowWait(3600 * s, false, answered), kWindowHold) << "a plain run waits for its user";
    EXPECT_EQ(windowWait(3600 * s, true, answered), kWindowReady);
    noteFullScreenToggle(3600 * s);
    EXPECT_EQ(windowWait(3601 * s, true, answered), kWindowReady) << "a plain run draws what it has";

    prepare({"--offscreen", "--replay", "test.flight"}, "5 quit\n");
    beginRunRules(10 * s, nullptr);
    testing::internal::CaptureStderr();
    EXPECT_EQ(windowWait(39 * s, false, answered), kWindowHold);
    EXPECT_EQ(windowWait(41 * s, false, answered), kWindowTooLate);
    noteFrameDrawn(0);
    EXPECT_EQ(windowWait(100 * s, false, answered), kWindowHold) << "once drawn, a hidden window holds";
    noteFullScreenToggle(100 * s);
    EXPECT_EQ(windowWait(100 * s, true, answered), kWindowHold);
    EXPECT_EQ(windowWait(111 * s, true, answered), kWindowTooLate);
    settled = true;
    EXPECT_EQ(windowWait(111 * s, true, answered), kWindowReady);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "brinewings: the window was not shown within 30 s, so no frame could be drawn\n"
              "brinewings: the window manager did not answer the full-screen toggle at tick 0 within 10 s\n");
}

TEST(RunEnd, TheStatusSaysWhetherWhatWasAskedWasDelivered)
{
    struct {
        RunDelivery delivery;
        int status;
    } rows[] = {
        {{kEndQuit, 0, true, 0, false, true, true}, 0},
        {{kEndWindowClosed, 0, true, 0, false, true, true}, 0},
        {{kEndRouteFlown, 0, true, 0, true, true, true}, 0},
        {{kEndQuit, 0, true, 0, true, true, true}, 1},          // a benchmark not flown to its end
        {{kEndRouteFlown, 0, true, 0, true, false, true}, 1},   // its results not written
        {{kEndQuit, 0, false, 0, false, true, true}, 1},        // the recording not closed whole
        {{kEndQuit, 0, true, 2, false, true, true}, 1},         // screenshots not taken
        {{kEndQuit, 0, true, 0, false, true, false}, 1},        // standard output not written
        {{kEndWriteFailed, 0, true, 0, false, true, true}, 1},
        {{kEndWindowFailed, 0, true, 0, false, true, true}, 1},
        {{kEndSignal, 15, true, 3, true, false, false}, 143},
        {{kEndSignal, 2, true, 0, false, true, true}, 130},
    };
    for (const auto& row : rows)
        EXPECT_EQ(runEndStatus(row.delivery), row.status) << row.delivery.why;
}

// gamepad_test.cpp -- an SDL virtual pad flies as the pointer and keys it stands for, and replays;
// the pads' start forks no D-Bus daemon, and a start that never ends holds up no quit
#include "flight/flight.h"
#include "flight/flight_file.h"
#include "platform/gamepad_sdl.h"
#include "support/e2e.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <pthread.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

static std::vector<FlightEvent> taken;

static void take(const FlightEvent& event)
{
    taken.push_back(event);
}

// Flies ticks 0..last with the events of each tick; the state after every tick.
static std::vector<std::array<float, 8>> fly(const std::vector<FlightEvent>& events, int last)
{
    resetFlightInput();
    std::vector<std::array<float, 8>> shots;
    for (size_t tick = 0, next = 0; tick <= (size_t)last; tick++) {
        for (; next < events.size() && events[next].tick == (int)tick; next++)
            applyFlightEvent(events[next]);
        advanceTick();
        shots.push_back({eye.x, eye.y, eye.z, lookAt.y, heading, steer, speed, (float)toggleBits()});
    }
    return shots;
}

TEST(Gamepad, PluggedInItFliesAsThePointerAndKeysPulledOutItStopsAndItsRecordingReplays)
{
    ASSERT_TRUE(startGamepads());
    SDL_VirtualJoystickDesc desc;
    SDL_zero(desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "Test Pad";
    testing::internal::CaptureStderr();
    taken.clear();
    pollGamepads(0, take);  // no pad yet: no line, no event
    int device = SDL_JoystickAttachVirtualEx(&desc);
    SDL_Joystick* pad = SDL_JoystickOpen(device);
    ASSERT_NE(pad, nullptr) << SDL_GetError();
    // At tick t, axis (stick) or button `which` goes to value; a button's 2 is a tap, pressed
    // and released between two polls.
    struct { int tick; bool stick; int which, value; } changes[] = {
        {1, true, 0, 32767}, {2, true, 0, -32768}, {3, true, 0, 20480}, {4, true, 0, 4000},
        {5, false, SDL_CONTROLLER_BUTTON_A, 1}, {7, false, SDL_CONTROLLER_BUTTON_A, 0},
        {8, false, SDL_CONTROLLER_BUTTON_B, 1}, {9, false, SDL_CONTROLLER_BUTTON_X, 1},
        {10, false, SDL_CONTROLLER_BUTTON_Y, 1}, {11, false, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, 1},
        {12, false, SDL_CONTROLLER_BUTTON_LEFTSHOULDER, 1}, {13, false, SDL_CONTROLLER_BUTTON_DPAD_UP, 1},
        {14, false, SDL_CONTROLLER_BUTTON_A, 2},
        {22, false, SDL_CONTROLLER_BUTTON_DPAD_UP, 0}, {23, true, 1, 32767}, {24, true, 1, 0},
        {25, false, SDL_CONTROLLER_BUTTON_START, 1}, {26, false, SDL_CONTROLLER_BUTTON_BACK, 1}};
    for (int tick = 1, next = 0; tick <= 26; tick++) {
        for (; next < (int)std::size(changes) && changes[next].tick == tick; next++)
            if (changes[next].stick)
                SDL_JoystickSetVirtualAxis(pad, changes[next].which, (Sint16)changes[next].value);
            else if (changes[next].value == 2) {  // pressed, seen by SDL, released
                SDL_JoystickSetVirtualButton(pad, changes[next].which, 1);
                SDL_PumpEvents();
                SDL_JoystickSetVirtualButton(pad, changes[next].which, 0);
            } else
                SDL_JoystickSetVirtualButton(pad, changes[next].which, (Uint8)changes[next].value);
        pollGamepads(tick, take);
    }
    // Pulled out with the stick pushed up: let go, and nothing more from it.
    SDL_JoystickSetVirtualAxis(pad, 1, -32768);
    SDL_JoystickClose(pad);
    SDL_JoystickDetachVirtual(device);
    for (int tick = 27; tick <= 30; tick++)
        pollGamepads(tick, take);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "brinewings: gamepad connected: Test Pad\nbrinewings: gamepad disconnected: Test Pad\n");
    std::vector<FlightEvent> padEvents = taken;
    // The same flight from a 1200-pixel window's pointer and the keyboard: the full stick is the
    // window's edge, three quarters of the travel past the dead zone its three-quarter column.
    std::vector<FlightEvent> keys = {
        {1, kFlightPointer, 1200, 1200}, {2, kFlightPointer, 0, 1200}, {3, kFlightPointer, 900, 1200},
        {4, kFlightPointer, 600, 1200}, {5, kFlightKey, 'W', 0}, {8, kFlightKey, 'S', 0},
        {9, kFlightKey, 'M', 0}, {10, kFlightKey, 'B', 0}, {11, kFlightSpecial, kSpecialPageUp, 0},
        {12, kFlightSpecial, kSpecialPageDown, 0}, {13, kFlightSpecial, kSpecialUp, 0},
        {14, kFlightKey, 'W', 0}, {17, kFlightSpecial, kSpecialUp, 0}, {21, kFlightSpecial, kSpecialUp, 0},
        {23, kFlightSpecial, kSpecialDown, 0}, {25, kFlightKey, 'F', 0}, {26, kFlightKey, 'Q', 0}};
    ASSERT_EQ(padEvents.size(), keys.size());
    EXPECT_TRUE(endsFlight(padEvents.back()));
    EXPECT_EQ(fly(padEvents, 26), fly(keys, 26));

    // Written as a flight file and read back, the pad's events fly the same with no pad.
    FILE* file = tmpfile();
    for (const FlightEvent& event : padEvents)
        ASSERT_TRUE(writeFlightEvent(file, event));
    rewind(file);
    char message[256] = "";
    ASSERT_TRUE(readFlightStream(file, "pad.flight", message, sizeof message)) << message;
    fclose(file);
    EXPECT_EQ(fly(std::vector<FlightEvent>(flightEvents, flightEvents + flightEventCount), 26), fly(padEvents, 26));

    // Pulled out mid-turn while climbing: the steering goes back to the centre, and the climb
    // stops.
    testing::internal::CaptureStderr();
    device = SDL_JoystickAttachVirtualEx(&desc);
    pad = SDL_JoystickOpen(device);
    taken.clear();
    pollGamepads(31, take);
    SDL_JoystickSetVirtualAxis(pad, 0, 32767);
    SDL_JoystickSetVirtualAxis(pad, 1, -32768);
    pollGamepads(32, take);
    SDL_JoystickClose(pad);
    SDL_JoystickDetachVirtual(device);
    for (int tick = 33; tick <= 40; tick++)
        pollGamepads(tick, take);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "brinewings: gamepad connected: Test Pad\nbrinewings: gamepad disconnected: Test Pad\n");
    std::vector<std::array<int, 4>> midTurn;
    for (const FlightEvent& e : taken)
        midTurn.push_back({e.tick, e.action, e.a, e.b});
    EXPECT_EQ(midTurn, (std::vector<std::array<int, 4>>{{32, kFlightPointer, 65536, 65536},
                                                        {32, kFlightSpecial, kSpecialUp, 0},
                                                        {33, kFlightPointer, 32768, 65536}}));
    stopGamepads();
}

static int forks = 0;

TEST(GamepadStart, ForksNoDbusLaunchWhereThereIsNoSessionBus)
{
    // No session bus: none named, no socket in the runtime folder; an X display named, which
    // libdbus would start dbus-launch for.
    char folder[] = "/tmp/brinewings-runtime.XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    setenv("XDG_RUNTIME_DIR", folder, 1);
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
    setenv("DISPLAY", ":77", 1);
    pthread_atfork([] { forks++; }, nullptr, nullptr);
    ASSERT_TRUE(startGamepads());
    EXPECT_EQ(forks, 0);
    stopGamepads();
    rmdir(folder);
}

TEST(GamepadStart, QIsImmediateAndTheRecordingWholeWhileSdlsStartNeverEnds)
{
    // SDL's start stays inside the dynamic loader for ever, as one stuck half way would: Q must
    // neither wait for it nor let exit wait on the loader.
    DataFolder data;
    std::string mark = data.path + "/stuck";
    setenv("LD_LIBRARY_PATH", BRINEWINGS_STUCK_SDL_DIR, 1);
    setenv("BRINEWINGS_STUCK_LIBRARY", BRINEWINGS_STUCK_LIBRARY, 1);
    setenv("BRINEWINGS_STUCK_MARK", mark.c_str(), 1);
    Program program(data.path, {"--record", "quit.flight"});
    unsetenv("LD_LIBRARY_PATH");
    ASSERT_TRUE(program.waitForWindow());
    for (int i = 0; i < 200 && !std::ifstream(mark).good(); i++)
        Program::pause(0.1);
    ASSERT_TRUE(std::ifstream(mark).good()) << "the stand-in SDL was not started";
    auto pressed = std::chrono::steady_clock::now();
    program.key("q");
    ASSERT_TRUE(program.waitForExit(10.0));
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - pressed).count();
    EXPECT_LT(seconds, 1.5);
    EXPECT_EQ(program.exitStatus(), 0);
    EXPECT_EQ(program.output().rfind("== CONTROLS ==\n", 0), 0u);
    std::stringstream recording;
    recording << std::ifstream(data.path + "/quit.flight").rdbuf();
    EXPECT_NE(recording.str().rfind(" key q\n"), std::string::npos) << recording.str();
}

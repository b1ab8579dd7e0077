// gamepad_test.cpp -- an SDL virtual pad flies as the pointer and keys it stands for, and replays
#include "flight/flight.h"
#include "flight/flight_file.h"
#include "platform/gamepad_sdl.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <array>
#include <vector>

using FlightShot = std::array<float, 8>;
static std::vector<FlightEvent> taken;

static void takeEvent(const FlightEvent& event)
{
    taken.push_back(event);
}

static FlightShot shot()
{
    return {eye.x, eye.y, eye.z, lookAt.y, heading, steer, speed, (float)toggleBits()};
}

// Flies ticks 0..last, applying at each the events of that tick; a shot of the state after each.
static std::vector<FlightShot> fly(const std::vector<FlightEvent>& events, int last)
{
    resetFlightInput();
    std::vector<FlightShot> shots;
    size_t next = 0;
    for (int tick = 0; tick <= last; tick++) {
        for (; next < events.size() && events[next].tick == tick; next++)
            applyFlightEvent(events[next]);
        advanceTick();
        shots.push_back(shot());
    }
    return shots;
}

struct VirtualPad {
    int device = -1;
    SDL_Joystick* joystick = nullptr;
    VirtualPad()
    {
        SDL_VirtualJoystickDesc desc;
        SDL_zero(desc);
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.name = "Test Pad";
        device = SDL_JoystickAttachVirtualEx(&desc);
        joystick = SDL_JoystickOpen(device);
    }
    void detach()
    {
        SDL_JoystickClose(joystick);
        SDL_JoystickDetachVirtual(device);
    }
};

// What the pad does at a tick: an axis (stick) or a button (not stick) set to value.
struct PadChange { int tick; bool stick; int which; int value; };

// Polls ticks 0..last, making the changes at their ticks and flying the events taken.
static void drive(VirtualPad* pad, const std::vector<PadChange>& changes, int last)
{
    taken.clear();
    resetFlightInput();
    size_t next = 0;
    for (int tick = 0; tick <= last; tick++) {
        for (; next < changes.size() && changes[next].tick == tick; next++) {
            const PadChange& c = changes[next];
            if (c.stick)
                SDL_JoystickSetVirtualAxis(pad->joystick, c.which, (Sint16)c.value);
            else
                SDL_JoystickSetVirtualButton(pad->joystick, c.which, (Uint8)c.value);
        }
        pollGamepads(tick, takeEvent);
    }
}

TEST(Gamepad, StickAndButtonsFlyAsThePointerAndKeysAndTheRecordingReplaysWithoutAPad)
{
    ASSERT_TRUE(startGamepads());
    VirtualPad pad;
    ASSERT_GE(pad.device, 0) << SDL_GetError();
    const int x = SDL_CONTROLLER_AXIS_LEFTX, y = SDL_CONTROLLER_AXIS_LEFTY;
    testing::internal::CaptureStderr();
    drive(&pad, {{1, true, x, 32767}, {2, true, x, -32768}, {3, true, x, 20480}, {4, true, x, 4000},
                 {5, false, SDL_CONTROLLER_BUTTON_A, 1}, {7, false, SDL_CONTROLLER_BUTTON_A, 0},
                 {8, false, SDL_CONTROLLER_BUTTON_B, 1}, {9, false, SDL_CONTROLLER_BUTTON_X, 1},
                 {10, false, SDL_CONTROLLER_BUTTON_Y, 1}, {11, false, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, 1},
                 {12, false, SDL_CONTROLLER_BUTTON_LEFTSHOULDER, 1}, {13, false, SDL_CONTROLLER_BUTTON_DPAD_UP, 1},
                 {22, false, SDL_CONTROLLER_BUTTON_DPAD_UP, 0}, {23, true, y, 32767}, {24, true, y, 0},
                 {25, false, SDL_CONTROLLER_BUTTON_START, 1}, {26, false, SDL_CONTROLLER_BUTTON_BACK, 1}},
          26);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "brinewings: gamepad connected: Test Pad\n");
    std::vector<FlightEvent> padEvents = taken;
    // The same flight from a 1200-pixel window's pointer and the keyboard: the full stick is the
    // window's edge, three quarters of the travel past the dead zone its three-quarter column.
    std::vector<FlightEvent> keys = {
        {1, kFlightPointer, 1200, 1200}, {2, kFlightPointer, 0, 1200}, {3, kFlightPointer, 900, 1200},
        {4, kFlightPointer, 600, 1200}, {5, kFlightKey, 'W', 0}, {8, kFlightKey, 'S', 0},
        {9, kFlightKey, 'M', 0}, {10, kFlightKey, 'B', 0}, {11, kFlightSpecial, kSpecialPageUp, 0},
        {12, kFlightSpecial, kSpecialPageDown, 0}, {13, kFlightSpecial, kSpecialUp, 0},
        {17, kFlightSpecial, kSpecialUp, 0}, {21, kFlightSpecial, kSpecialUp, 0},
        {23, kFlightSpecial, kSpecialDown, 0}, {25, kFlightKey, 'F', 0}, {26, kFlightKey, 'Q', 0}};
    ASSERT_EQ(padEvents.size(), keys.size());
    for (size_t i = 0; i < keys.size(); i++)
        EXPECT_EQ(padEvents[i].tick, keys[i].tick) << i;
    EXPECT_EQ(fly(padEvents, 26), fly(keys, 26));
    EXPECT_EQ(padEvents.back().action, kFlightQuit);

    // Written as a flight file and read back, the pad's events fly the same with no pad.
    FILE* file = tmpfile();
    for (const FlightEvent& event : padEvents)
        ASSERT_TRUE(writeFlightEvent(file, event));
    rewind(file);
    char message[256] = "";
    ASSERT_TRUE(readFlightStream(file, "pad.flight", message, sizeof message)) << message;
    fclose(file);
    std::vector<FlightEvent> replayed(flightEvents, flightEvents + flightEventCount);
    EXPECT_EQ(fly(replayed, 26), fly(padEvents, 26));
    pad.detach();
    stopGamepads();
}

TEST(Gamepad, APadPluggedInAndPulledOutMidFlightIsTakenUpAndLetGo)
{
    ASSERT_TRUE(startGamepads());
    testing::internal::CaptureStderr();
    for (int tick = 0; tick < 3; tick++)
        pollGamepads(tick, takeEvent);
    VirtualPad pad;
    std::vector<FlightEvent> events;
    for (int tick = 3; tick < 9; tick++) {
        if (tick == 4 || tick == 6)
            SDL_JoystickSetVirtualButton(pad.joystick, SDL_CONTROLLER_BUTTON_A, tick == 4);
        if (tick == 6)
            pad.detach();
        taken.clear();
        pollGamepads(tick, takeEvent);
        events.insert(events.end(), taken.begin(), taken.end());
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "brinewings: gamepad connected: Test Pad\nbrinewings: gamepad disconnected: Test Pad\n");
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].tick, 4);
    EXPECT_EQ(events[0].a, 'w');
    stopGamepads();
}

// gamepad_xinput_win32.cpp -- gamepads on Windows through XInput, read once a tick as one of
// the ticker's input sources, through the same mapping as SDL's on Linux (flight/gamepad_input.h)
#include "platform/gamepads.h"

#include "flight/gamepad_input.h"
#include "flight/gamepad_source.h"
#include "platform/xinput_state_win32.h"

#include <windows.h>
#include <xinput.h>

#include <atomic>
#include <cstdio>
#include <thread>

static const int kPadSlots = 4;            // XInput's user slots
static const long long kScanTicks = 60;    // an empty slot is looked at this often, in ticks:
                                           // asking one costs a millisecond on some systems

typedef DWORD(WINAPI* GetStateCall)(DWORD user, XINPUT_STATE* state);
static std::atomic<GetStateCall> getState{nullptr};  // set by the start, once XInput is loaded
static std::thread starter;
static int driving = -1;                   // the slot of the driving pad, or -1
static long long lastScan = -kScanTicks;   // tick the empty slots were last looked at
static GamepadMemory memory;

// Windows 8 and later have XInput 1.4; Vista and 7 have 9.1.0. Without either no pad is read.
static void loadXInput()
{
    HMODULE library = LoadLibraryW(L"xinput1_4.dll");
    if (library == nullptr)
        library = LoadLibraryW(L"xinput9_1_0.dll");
    if (library != nullptr)
        getState = (GetStateCall)(void*)GetProcAddress(library, "XInputGetState");
}

void startGamepadsInBackground()
{
    if (!starter.joinable() && getState.load() == nullptr)
        starter = std::thread(loadXInput);
}

void stopGamepads()
{
    if (starter.joinable())
        starter.join();
    if (driving >= 0)
        fprintf(stderr, "brinewings: gamepad disconnected: XInput pad %d\n", driving + 1);
    driving = -1;
}

static int readPad(long long tick, FlightEvent* events)
{
    GetStateCall call = getState.load();
    if (call == nullptr)
        return 0;
    XINPUT_STATE state = {};
    if (driving >= 0 && call((DWORD)driving, &state) != ERROR_SUCCESS) {
        fprintf(stderr, "brinewings: gamepad disconnected: XInput pad %d\n", driving + 1);
        driving = -1;
    }
    if (driving < 0 && tick - lastScan >= kScanTicks) {
        lastScan = tick;
        for (int slot = 0; slot < kPadSlots && driving < 0; slot++) {
            if (call((DWORD)slot, &state) == ERROR_SUCCESS) {
                driving = slot;
                memory = GamepadMemory();
                fprintf(stderr, "brinewings: gamepad connected: XInput pad %d\n", slot + 1);
            }
        }
    }
    return driving >= 0 ? mapGamepad(gamepadStateOfXInput(state.Gamepad), tick, &memory, events) : 0;
}

const InputSource& gamepadSource()
{
    return gamepadSourceReading(readPad);
}

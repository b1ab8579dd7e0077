// gamepad_sdl.cpp -- SDL2 game controllers: hot-plugging and the state read once per tick
#include "platform/gamepad_sdl.h"

#include "flight/gamepad_input.h"

#include <SDL.h>

#include <cstdio>

static bool started = false;
static SDL_GameController* pad = nullptr;  // the driving pad, or none
static GamepadMemory padMemory;             // the mapping's memory of it

// SDL's button of each GamepadButton.
static const SDL_GameControllerButton kSdlButtons[kGamepadButtonCount] = {
    SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_CONTROLLER_BUTTON_DPAD_DOWN,
    SDL_CONTROLLER_BUTTON_LEFTSHOULDER, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER,
    SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_B, SDL_CONTROLLER_BUTTON_X, SDL_CONTROLLER_BUTTON_Y,
    SDL_CONTROLLER_BUTTON_START, SDL_CONTROLLER_BUTTON_BACK,
};

static const char* padName(SDL_GameController* controller)
{
    const char* name = SDL_GameControllerName(controller);
    return name != nullptr ? name : "unnamed";
}

// Takes up the first game controller SDL lists, when none drives yet.
static void takeUpPad()
{
    for (int i = 0; pad == nullptr && i < SDL_NumJoysticks(); i++) {
        if (!SDL_IsGameController(i))
            continue;
        pad = SDL_GameControllerOpen(i);
        if (pad != nullptr) {
            padMemory = GamepadMemory();
            fprintf(stderr, "brinewings: gamepad connected: %s\n", padName(pad));
        }
    }
}

static void letGoPad()
{
    fprintf(stderr, "brinewings: gamepad disconnected: %s\n", padName(pad));
    SDL_GameControllerClose(pad);
    pad = nullptr;
}

bool startGamepads()
{
    if (started)
        return true;
    // Ctrl-C and kill end the program as before; SDL would turn them into events of its own.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // The window is freeglut's, which SDL does not know: pads count whatever has the focus.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    started = SDL_Init(SDL_INIT_GAMECONTROLLER) == 0;
    return started;
}

void pollGamepads(long long tick, void (*take)(const FlightEvent& event))
{
    if (!started)
        return;
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        if (event.type == SDL_CONTROLLERDEVICEREMOVED && pad != nullptr &&
                 event.cdevice.which == SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad)))
            letGoPad();
    }
    if (pad != nullptr && !SDL_GameControllerGetAttached(pad))
        letGoPad();
    if (pad == nullptr)
        takeUpPad();
    if (pad == nullptr)
        return;
    GamepadState state;
    state.stickX = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX);
    state.stickY = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTY);
    for (int i = 0; i < kGamepadButtonCount; i++)
        state.buttons[i] = SDL_GameControllerGetButton(pad, kSdlButtons[i]) != 0;
    FlightEvent events[kGamepadEventSlots];
    int count = mapGamepad(state, tick, &padMemory, events);
    for (int i = 0; i < count; i++)
        take(events[i]);
}

void stopGamepads()
{
    if (!started)
        return;
    if (pad != nullptr)
        SDL_GameControllerClose(pad);
    pad = nullptr;
    SDL_Quit();
    started = false;
}

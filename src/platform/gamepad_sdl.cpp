// gamepad_sdl.cpp -- SDL2 game controllers, loaded at run time: hot-plugging and the state read once per tick
#include "platform/gamepad_sdl.h"

#include "flight/gamepad_input.h"

#include <SDL.h>
#include <dlfcn.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <thread>

static const char* const kSdlLibrary = "libSDL2-2.0.so.0";  // SDL 2's stable ABI

// The SDL routines used, looked up in the library once it is loaded.
static struct {
    decltype(&SDL_SetHint) setHint;
    decltype(&SDL_Init) init;
    decltype(&SDL_Quit) quit;
    decltype(&SDL_PollEvent) pollEvent;
    decltype(&SDL_NumJoysticks) numJoysticks;
    decltype(&SDL_IsGameController) isGameController;
    decltype(&SDL_GameControllerOpen) open;
    decltype(&SDL_GameControllerClose) close;
    decltype(&SDL_GameControllerName) name;
    decltype(&SDL_GameControllerGetAttached) attached;
    decltype(&SDL_GameControllerGetJoystick) joystick;
    decltype(&SDL_JoystickInstanceID) instanceId;
    decltype(&SDL_GameControllerGetAxis) axis;
    decltype(&SDL_GameControllerGetButton) button;
} sdl;

static bool started = false;
static std::thread starter;                   // the start in the background, while it runs
static std::atomic<bool> startDone{true};     // false while starter runs
static SDL_GameController* pad = nullptr;     // the driving pad, or none
static GamepadMemory padMemory;               // the mapping's memory of it

// SDL's button of each GamepadButton.
static const SDL_GameControllerButton kSdlButtons[kGamepadButtonCount] = {
    SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_CONTROLLER_BUTTON_DPAD_DOWN,
    SDL_CONTROLLER_BUTTON_LEFTSHOULDER, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER,
    SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_B, SDL_CONTROLLER_BUTTON_X, SDL_CONTROLLER_BUTTON_Y,
    SDL_CONTROLLER_BUTTON_START, SDL_CONTROLLER_BUTTON_BACK,
};

template <typename Routine>
static bool lookUp(void* library, const char* name, Routine* routine)
{
    void* symbol = dlsym(library, name);
    memcpy(routine, &symbol, sizeof symbol);  // POSIX: a data pointer holds a routine's address
    return symbol != nullptr;
}

// Loads SDL once; the library stays loaded, as SDL may leave threads of its own behind.
static bool loadSdl()
{
    static void* library = nullptr;
    if (library == nullptr)
        library = dlopen(kSdlLibrary, RTLD_NOW | RTLD_LOCAL);
    return library != nullptr && lookUp(library, "SDL_SetHint", &sdl.setHint) &&
           lookUp(library, "SDL_Init", &sdl.init) && lookUp(library, "SDL_Quit", &sdl.quit) &&
           lookUp(library, "SDL_PollEvent", &sdl.pollEvent) &&
           lookUp(library, "SDL_NumJoysticks", &sdl.numJoysticks) &&
           lookUp(library, "SDL_IsGameController", &sdl.isGameController) &&
           lookUp(library, "SDL_GameControllerOpen", &sdl.open) &&
           lookUp(library, "SDL_GameControllerClose", &sdl.close) &&
           lookUp(library, "SDL_GameControllerName", &sdl.name) &&
           lookUp(library, "SDL_GameControllerGetAttached", &sdl.attached) &&
           lookUp(library, "SDL_GameControllerGetJoystick", &sdl.joystick) &&
           lookUp(library, "SDL_JoystickInstanceID", &sdl.instanceId) &&
           lookUp(library, "SDL_GameControllerGetAxis", &sdl.axis) &&
           lookUp(library, "SDL_GameControllerGetButton", &sdl.button);
}

static const char* padName(SDL_GameController* controller)
{
    const char* name = sdl.name(controller);
    return name != nullptr ? name : "unnamed";
}

// Takes up the first game controller SDL lists, when none drives yet.
static void takeUpPad()
{
    for (int i = 0; pad == nullptr && i < sdl.numJoysticks(); i++) {
        if (!sdl.isGameController(i))
            continue;
        pad = sdl.open(i);
        if (pad != nullptr) {
            padMemory = GamepadMemory();
            fprintf(stderr, "brinewings: gamepad connected: %s\n", padName(pad));
        }
    }
}

static void letGoPad()
{
    fprintf(stderr, "brinewings: gamepad disconnected: %s\n", padName(pad));
    sdl.close(pad);
    pad = nullptr;
}

// Waits for a start in the background to end.
static void joinStarter()
{
    if (starter.joinable())
        starter.join();
}

// Loads and starts SDL, once; runs on the helper thread for a start in the background.
static bool startSdl()
{
    if (started)
        return true;
    if (!loadSdl())
        return false;
    // Ctrl-C and kill end the program as before; SDL would turn them into events of its own.
    sdl.setHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // The window is freeglut's, which SDL does not know: pads count whatever has the focus.
    sdl.setHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    started = sdl.init(SDL_INIT_GAMECONTROLLER) == 0;
    return started;
}

bool startGamepads()
{
    joinStarter();
    return startSdl();
}

void startGamepadsInBackground()
{
    joinStarter();
    startDone.store(false, std::memory_order_relaxed);
    starter = std::thread([] {
        startSdl();
        startDone.store(true, std::memory_order_release);
    });
}

void pollGamepads(long long tick, void (*take)(const FlightEvent& event))
{
    if (!startDone.load(std::memory_order_acquire))
        return;
    joinStarter();
    if (!started)
        return;
    SDL_Event event;
    while (sdl.pollEvent(&event) != 0) {
        if (event.type == SDL_CONTROLLERDEVICEREMOVED && pad != nullptr &&
            event.cdevice.which == sdl.instanceId(sdl.joystick(pad)))
            letGoPad();
    }
    if (pad != nullptr && !sdl.attached(pad))
        letGoPad();
    if (pad == nullptr)
        takeUpPad();
    if (pad == nullptr)
        return;
    GamepadState state;
    state.stickX = sdl.axis(pad, SDL_CONTROLLER_AXIS_LEFTX);
    state.stickY = sdl.axis(pad, SDL_CONTROLLER_AXIS_LEFTY);
    for (int i = 0; i < kGamepadButtonCount; i++)
        state.buttons[i] = sdl.button(pad, kSdlButtons[i]) != 0;
    FlightEvent events[kGamepadEventSlots];
    int count = mapGamepad(state, tick, &padMemory, events);
    for (int i = 0; i < count; i++)
        take(events[i]);
}

void stopGamepads()
{
    joinStarter();
    if (!started)
        return;
    if (pad != nullptr)
        sdl.close(pad);
    pad = nullptr;
    sdl.quit();
    started = false;
}

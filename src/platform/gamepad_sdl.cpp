// gamepad_sdl.cpp -- SDL2 game controllers, loaded at run time: hot-plugging and the state read once per tick
#include "platform/gamepad_sdl.h"

#include "flight/gamepad_input.h"

#include <SDL.h>
#include <dlfcn.h>
#include <pthread.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

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

// How far the pads' start has come. The helper thread of a start in the background moves it
// from kStarting to kStarted (or back to kIdle when SDL is missing or fails); a stop that finds
// it still kStarting moves it to kAbandoned instead, and it stays there for the rest of the
// process: the pads stay off, and nothing waits for the helper thread.
enum StartState { kIdle, kStarting, kStarted, kAbandoned };
static std::atomic<int> startState{kIdle};
static std::atomic<bool> helperRunning{false};  // a helper thread is inside SDL's start
static SDL_GameController* pad = nullptr;       // the driving pad, or none
static GamepadMemory padMemory;                 // the mapping's memory of it

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

// Lets the driving pad go at tick: one line, and the events that centre what it held.
static void letGoPad(long long tick, void (*take)(const FlightEvent& event))
{
    fprintf(stderr, "brinewings: gamepad disconnected: %s\n", padName(pad));
    sdl.close(pad);
    pad = nullptr;
    FlightEvent events[kGamepadEventSlots];
    int count = releaseGamepad(tick, &padMemory, events);
    for (int i = 0; i < count; i++)
        take(events[i]);
}

// libdbus, which SDL's start loads for desktop services no pad needs, forks dbus-launch from
// this multi-threaded process to start a session bus where it finds none, and waits on its
// pipe: the forked child can deadlock, and the start then never ends. Where there is no
// session bus to find (DBUS_SESSION_BUS_ADDRESS unset and no $XDG_RUNTIME_DIR/bus socket, as
// libdbus looks), the address is set to one libdbus refuses at once, "disabled:", so SDL goes on
// without D-Bus and the pads still work. A bus the desktop gives is left as it is. Runs on the
// main thread before the helper exists: setenv is not safe beside another thread's getenv.
static void keepSdlFromAutolaunchingDbus()
{
    if (getenv("DBUS_SESSION_BUS_ADDRESS") != nullptr)
        return;
    const char* runtime = getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/') {
        std::error_code error;
        std::filesystem::file_status bus = std::filesystem::status(std::filesystem::path(runtime) / "bus", error);
        if (bus.type() == std::filesystem::file_type::socket)
            return;
    }
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
}

// Loads and starts SDL; true when it started.
static bool startSdl()
{
    if (!loadSdl())
        return false;
    // Ctrl-C and kill end the program as before; SDL would turn them into events of its own.
    sdl.setHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // The window is freeglut's, which SDL does not know: pads count whatever has the focus.
    sdl.setHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    return sdl.init(SDL_INIT_GAMECONTROLLER) == 0;
}

static void* startOnHelper(void*)
{
    bool started = startSdl();
    int starting = kStarting;
    startState.compare_exchange_strong(starting, started ? kStarted : kIdle);  // not when abandoned
    helperRunning.store(false);
    return nullptr;
}

// Runs at exit. While SDL's start is still under way on the helper thread, the process ends here
// with the status asked for and its streams flushed: exit's later steps run the destructors of
// every loaded library, SDL's and its dependencies' among them, under the dynamic loader's lock,
// which a start inside dlopen holds, so they could crash in a half-started SDL or wait on it.
// Every output of the run is closed before exit is called.
static void endAtOnceWhileStarting(int status, void*)
{
    if (!helperRunning.load())
        return;
    fflush(nullptr);
    _Exit(status);
}

bool startGamepads()
{
    int state = startState.load();
    if (state != kIdle)
        return state == kStarted;
    keepSdlFromAutolaunchingDbus();
    bool started = startSdl();
    startState.store(started ? kStarted : kIdle);
    return started;
}

void startGamepadsInBackground()
{
    int idle = kIdle;
    if (!startState.compare_exchange_strong(idle, kStarting))
        return;
    keepSdlFromAutolaunchingDbus();
    static bool guarded = on_exit(endAtOnceWhileStarting, nullptr) == 0;
    (void)guarded;
    helperRunning.store(true);
    // Detached from its start: no stop ever joins it.
    pthread_attr_t attributes;
    pthread_t helper;
    bool created = pthread_attr_init(&attributes) == 0;
    if (created) {
        created = pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED) == 0 &&
                  pthread_create(&helper, &attributes, startOnHelper, nullptr) == 0;
        pthread_attr_destroy(&attributes);
    }
    if (!created) {  // no thread, no pads
        helperRunning.store(false);
        startState.store(kIdle);
    }
}

void pollGamepads(long long tick, void (*take)(const FlightEvent& event))
{
    if (startState.load() != kStarted)
        return;
    GamepadState state;
    SDL_Event event;
    while (sdl.pollEvent(&event) != 0) {
        if (pad == nullptr)
            continue;
        SDL_JoystickID driving = sdl.instanceId(sdl.joystick(pad));
        if (event.type == SDL_CONTROLLERDEVICEREMOVED && event.cdevice.which == driving) {
            letGoPad(tick, take);
            state = GamepadState();
        } else if (event.type == SDL_CONTROLLERBUTTONDOWN && event.cbutton.which == driving) {
            // A press the state read below may no longer show.
            for (int i = 0; i < kGamepadButtonCount; i++)
                state.pressedSince[i] = state.pressedSince[i] || event.cbutton.button == kSdlButtons[i];
        }
    }
    if (pad != nullptr && !sdl.attached(pad)) {
        letGoPad(tick, take);
        state = GamepadState();
    }
    if (pad == nullptr)
        takeUpPad();
    if (pad == nullptr)
        return;
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
    // A start still under way is left to itself: it may never return.
    int starting = kStarting;
    if (startState.compare_exchange_strong(starting, kAbandoned) || starting != kStarted)
        return;
    if (pad != nullptr)
        sdl.close(pad);
    pad = nullptr;
    sdl.quit();
    startState.store(kIdle);
}

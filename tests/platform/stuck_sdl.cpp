// stuck_sdl.cpp -- a stand-in for libSDL2-2.0.so.0 whose start never ends, for the gamepad tests.
// Built twice: as the stand-in SDL, whose SDL_Init loads the library named by
// BRINEWINGS_STUCK_LIBRARY; and, with STUCK_CONSTRUCTOR, as that library, whose constructor
// creates the file named by BRINEWINGS_STUCK_MARK and then waits for ever, inside the dynamic
// loader, as a start stuck half way would.
#include <SDL.h>
#include <dlfcn.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#ifdef STUCK_CONSTRUCTOR

__attribute__((constructor)) static void waitForEver()
{
    if (FILE* mark = fopen(getenv("BRINEWINGS_STUCK_MARK"), "w"))
        fclose(mark);
    for (;;)
        std::this_thread::sleep_for(std::chrono::hours(1));
}

#else

int SDL_Init(Uint32)
{
    dlopen(getenv("BRINEWINGS_STUCK_LIBRARY"), RTLD_NOW);
    return -1;
}

// The rest of what the program looks up, doing nothing.
SDL_bool SDL_SetHint(const char*, const char*) { return SDL_FALSE; }
void SDL_Quit() {}
int SDL_PollEvent(SDL_Event*) { return 0; }
int SDL_NumJoysticks() { return 0; }
SDL_bool SDL_IsGameController(int) { return SDL_FALSE; }
SDL_GameController* SDL_GameControllerOpen(int) { return nullptr; }
void SDL_GameControllerClose(SDL_GameController*) {}
const char* SDL_GameControllerName(SDL_GameController*) { return nullptr; }
SDL_bool SDL_GameControllerGetAttached(SDL_GameController*) { return SDL_FALSE; }
SDL_Joystick* SDL_GameControllerGetJoystick(SDL_GameController*) { return nullptr; }
SDL_JoystickID SDL_JoystickInstanceID(SDL_Joystick*) { return -1; }
Sint16 SDL_GameControllerGetAxis(SDL_GameController*, SDL_GameControllerAxis) { return 0; }
Uint8 SDL_GameControllerGetButton(SDL_GameController*, SDL_GameControllerButton) { return 0; }

#endif

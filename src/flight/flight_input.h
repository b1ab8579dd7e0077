// flight_input.h -- the flight's one input path: events from the window or a flight file, and the tick
#pragma once

// Every input, live or replayed, is one FlightEvent. applyFlightEvent is the only code that turns
// an event into a change of the flight state; advanceTick is the only code that advances it. What
// needs the window (a frame, full screen, the end of the run) comes back as requests for the
// caller to carry out.

enum FlightAction { kFlightPointer, kFlightKey, kFlightSpecial, kFlightQuit };
enum FlightSpecialKey { kSpecialUp, kSpecialDown, kSpecialPageUp, kSpecialPageDown };
inline constexpr int kSpecialKeyCount = 4;

struct FlightEvent {
    int tick;             // the tick it takes effect at, 0..kFlightMaxTick (flight/flight_file.h)
    FlightAction action;
    int a;                // pointer: column X, pixels; key: the character code; special: a FlightSpecialKey
    int b;                // pointer: window width, pixels; otherwise 0
};

// One special key: its name in flight files, what it does.
struct SpecialKey {
    const char* name;
    void (*apply)();
};
extern const SpecialKey kSpecialKeys[kSpecialKeyCount];  // indexed by FlightSpecialKey

// One display toggle: the letter that flips it (either case), the flag, and its name when on.
struct Toggle {
    char key;
    int* flag;
    const char* name;
};
enum ToggleIndex { kToggleWireframe, kToggleReferenceScene, kToggleFog, kToggleMountains };
inline constexpr int kToggleCount = 4;
extern const Toggle kToggles[kToggleCount];  // indexed by ToggleIndex

// What the caller of applyFlightEvent or advanceTick must carry out, as bits.
enum FlightRequest {
    kRequestNone = 0,
    kRequestQuit = 1,        // end the run (q, Q or a quit event)
    kRequestFullScreen = 2,  // toggle full screen (f or F)
    kRequestFrame = 4,       // draw a frame: the flight moved
    kRequestHud = 8,         // toggle the heads-up display (h or H), in a run that has it
};

extern long long flightTick;  // advances of the flight so far; written by advanceTick

// The toggles as bits, bit i for kToggles[i], each set when its flag is not 0.
int toggleBits();

// True for an event that ends the flight: a quit event, or key q or Q.
bool endsFlight(const FlightEvent& event);

// Applies one event to the flight state and returns the FlightRequest bits it asks for. Pointer:
// steering from column a of a window b pixels wide; key: a toggle letter flips its flag, f/F
// asks for full screen, h/H for the heads-up display, q/Q to quit, others do nothing; special: the key's action; quit: asks to
// quit. The event's tick is not looked at.
int applyFlightEvent(const FlightEvent& event);

// One tick: advanceFlight, flightTick + 1. Returns kRequestFrame.
int advanceTick();

// flightTick back to 0 and the flight state to its start (resetFlight).
void resetFlightInput();

// The arithmetic of the controls, as applyFlightEvent uses it.
// Steering from the pointer: the column's place across the window, from -1 at the left edge
// through 0 at the centre to +1 at the right edge. x is a window column in pixels; a width
// below 1 counts as one pixel wide.
void steerToPointer(int x, int windowWidth);
// Up and Down arrows: eye.y and lookAt.y together by climbStep, without bound.
void climb();
void descend();
// Page Up and Page Down: speed by 0.05 while it is below 0.55 or above 0.1 (compared in double,
// so the float nearest 0.1 counts as above it and the lowest level is about 0.05).
void speedUp();
void slowDown();

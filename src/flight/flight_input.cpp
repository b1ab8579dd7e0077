// flight_input.cpp -- events applied to the flight state, the controls' arithmetic and the tick
#include "flight/flight_input.h"

#include "flight/flight.h"

#include <algorithm>

// Speed levels in world units per tick. The bounds are doubles compared with the float speed.
static const double kSpeedUpBelow = 0.55;   // Page Up acts while speed is below this
static const double kSlowDownAbove = 0.1;   // Page Down acts while speed is above this
static const double kSpeedStep = 0.05;      // change per press

const SpecialKey kSpecialKeys[kSpecialKeyCount] = {  // in FlightSpecialKey order
    {"up", climb},
    {"down", descend},
    {"page_up", speedUp},
    {"page_down", slowDown},
};

const Toggle kToggles[kToggleCount] = {  // in ToggleIndex order
    {'w', &wireframe, "wireframe"},
    {'s', &referenceScene, "reference scene"},
    {'b', &fogOn, "fog"},
    {'m', &mountainsOn, "mountains"},
};

long long flightTick = 0;

static int flipped(int flag)
{
    return flag == 0 ? 1 : 0;
}

static char lowerCase(int key)
{
    return key >= 'A' && key <= 'Z' ? (char)(key - 'A' + 'a') : (char)key;
}

void steerToPointer(int x, int windowWidth)
{
    // The window can report a zero width while minimised; a NaN steer would turn the
    // heading into NaN for the rest of the run.
    float q = (float)x / (float)std::max(windowWidth, 1);
    q = (float)((double)q - 0.5);
    steer = (float)((double)q * 2.0);
}

void climb()
{
    eye.y = eye.y + climbStep;
    lookAt.y = lookAt.y + climbStep;
}

void descend()
{
    eye.y = eye.y - climbStep;
    lookAt.y = lookAt.y - climbStep;
}

void speedUp()
{
    // The bounds are doubles and speed a float: the float nearest 0.1 counts as above 0.1, so
    // the lowest level is about 0.05. That is the intended feel of the controls.
    if (kSpeedUpBelow > (double)speed)
        speed = (float)((double)speed + kSpeedStep);
}

void slowDown()
{
    if ((double)speed > kSlowDownAbove)
        speed = (float)((double)speed - kSpeedStep);
}

int toggleBits()
{
    int bits = 0;
    for (int i = 0; i < kToggleCount; i++)
        bits |= (*kToggles[i].flag != 0 ? 1 : 0) << i;
    return bits;
}

static int applyKey(int key)
{
    char letter = lowerCase(key);
    if (letter == 'q')
        return kRequestQuit;
    if (letter == 'f')
        return kRequestFullScreen;
    if (letter == 'h')
        return kRequestHud;
    for (const Toggle& toggle : kToggles) {
        if (letter == toggle.key)
            *toggle.flag = flipped(*toggle.flag);
    }
    return kRequestNone;
}

bool endsFlight(const FlightEvent& event)
{
    return event.action == kFlightQuit || (event.action == kFlightKey && lowerCase(event.a) == 'q');
}

int applyFlightEvent(const FlightEvent& event)
{
    switch (event.action) {
    case kFlightPointer: steerToPointer(event.a, event.b); break;
    case kFlightKey: return applyKey(event.a);
    case kFlightSpecial:
        if (event.a >= 0 && event.a < kSpecialKeyCount)
            kSpecialKeys[event.a].apply();
        break;
    case kFlightQuit: return kRequestQuit;
    }
    return kRequestNone;
}

int advanceTick()
{
    advanceFlight();
    flightTick++;
    return kRequestFrame;
}

void resetFlightInput()
{
    flightTick = 0;
    resetFlight();
}

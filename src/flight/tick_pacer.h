// tick_pacer.h -- which ticks are due at a steady rate, from a monotonic clock (--tick-rate)
#pragma once

inline constexpr int kMaxTickRate = 10000;  // ticks a second: bound of --tick-rate

// The ticks due at time t are those whose moment, origin + (tick - originTick) / rate, has
// come. Each is worked out from the origin, never by adding up intervals, so an hour of ticks
// does not drift by a nanosecond.
struct TickPacer {
    long long rate = 0;        // ticks a second, 1..kMaxTickRate
    long long originNs = 0;    // clock reading, nanoseconds, when originTick was due
    long long originTick = 0;
};

// Starts pacing at rate ticks a second with tick due at nowNs.
void startPacer(TickPacer* pacer, int rate, long long nowNs, long long tick);

// The number of the last tick due at nowNs, for a flight at tick (its ticks so far): tick
// itself when the next is not due yet. A clock that went back, or a flight more than
// a second behind (a stopped process, a machine that slept), starts afresh from
// now: the ticks missed are not flown in a rush.
long long lastTickDue(TickPacer* pacer, long long nowNs, long long tick);

// When tick + 1 is due, nanoseconds on the same clock.
long long nextTickDueNs(const TickPacer& pacer, long long tick);

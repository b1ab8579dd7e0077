// tick_pacer.cpp -- which ticks are due at a steady rate, from a monotonic clock (--tick-rate)
#include "flight/tick_pacer.h"

static const long long kNsPerSecond = 1000000000LL;
static const long long kSecondsBehind = 1;  // further behind than this, the pacer starts afresh

void startPacer(TickPacer* pacer, int rate, long long nowNs, long long tick)
{
    pacer->rate = rate;
    pacer->originNs = nowNs;
    pacer->originTick = tick;
}

long long lastTickDue(TickPacer* pacer, long long nowNs, long long tick)
{
    long long elapsed = nowNs - pacer->originNs;
    // Split in whole seconds and the rest, so elapsed times of years still fit in 64 bits.
    long long due = elapsed < 0 ? -1
                                : pacer->originTick + elapsed / kNsPerSecond * pacer->rate +
                                      elapsed % kNsPerSecond * pacer->rate / kNsPerSecond;
    if (due < pacer->originTick || due - tick > kSecondsBehind * pacer->rate) {
        startPacer(pacer, (int)pacer->rate, nowNs, tick);
        return tick;
    }
    return due;
}

long long nextTickDueNs(const TickPacer& pacer, long long tick)
{
    long long ticks = tick + 1 - pacer.originTick;
    // The first nanosecond at which tick + 1 counts as due: ceil(ticks * 1e9 / rate).
    long long whole = ticks / pacer.rate;
    long long rest = ticks % pacer.rate;
    return pacer.originNs + whole * kNsPerSecond + (rest * kNsPerSecond + pacer.rate - 1) / pacer.rate;
}

// run_signals.cpp -- a scripted run ended by a signal through its one end, with its report
#include "run/run_signals.h"

#include <signal.h>

#include <cstring>
#include <initializer_list>

static volatile sig_atomic_t received = 0;

static void noteStop(int signal)
{
    received = signal;
}

void installRunSignals()
{
    struct sigaction action;
    memset(&action, 0, sizeof action);
    action.sa_handler = noteStop;
    sigemptyset(&action.sa_mask);
    // Restarted calls keep the run's writes whole; the handler is reset, so a second signal
    // ends a run whose end hangs.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (int stop : {SIGINT, SIGTERM, SIGHUP})
        sigaction(stop, &action, nullptr);
    signal(SIGPIPE, SIG_IGN);
    signal(SIGXFSZ, SIG_IGN);
}

int stopSignal()
{
    return received;
}

const char* stopSignalName(int signal)
{
    return signal == SIGINT ? "SIGINT" : signal == SIGTERM ? "SIGTERM" : "SIGHUP";
}

// gamepad_bench.cpp -- what the gamepads add to start-up: SDL's game-controller subsystem
// started and the first poll, each repetition in a fresh child process, as the program pays it.
#include "platform/gamepad_sdl.h"

#include <benchmark/benchmark.h>

#include <sys/wait.h>
#include <unistd.h>

#include <ctime>

static double monotonicNow()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (double)now.tv_sec + (double)now.tv_nsec * 1e-9;
}

static void ignoreEvent(const FlightEvent&) {}

static void BM_StartGamepadsAndFirstPoll(benchmark::State& state)
{
    for (auto _ : state) {
        int pipeEnds[2];
        if (pipe(pipeEnds) != 0) {
            state.SkipWithError("pipe failed");
            break;
        }
        pid_t pid = fork();
        if (pid == 0) {
            double start = monotonicNow();
            startGamepads();
            pollGamepads(0, ignoreEvent);
            double seconds = monotonicNow() - start;
            _exit(write(pipeEnds[1], &seconds, sizeof seconds) == (ssize_t)sizeof seconds ? 0 : 1);
        }
        close(pipeEnds[1]);
        double seconds = -1.0;
        bool read = pid > 0 && ::read(pipeEnds[0], &seconds, sizeof seconds) == (ssize_t)sizeof seconds;
        close(pipeEnds[0]);
        int status = 0;
        if (pid > 0)
            waitpid(pid, &status, 0);
        if (!read || status != 0) {
            state.SkipWithError("the child process failed");
            break;
        }
        state.SetIterationTime(seconds);
    }
}
BENCHMARK(BM_StartGamepadsAndFirstPoll)->Iterations(1)->Repetitions(7)->UseManualTime()
    ->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

// startup_bench.cpp -- wall time from exec to the first frame swapped, for brinewings and for a
// bare freeglut program of the same window (the floor). Needs an X display (bench/run.sh).
#include <benchmark/benchmark.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>

static double monotonicNow()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (double)now.tv_sec + (double)now.tv_nsec * 1e-9;
}

// The moments of one start-up, in seconds from fork.
struct StartUp {
    double windowOpen;   // glutCreateWindow returned
    double loopEntered;  // glutMainLoop entered: the program's own start-up work is done
    double firstSwap;    // the first frame is on the screen
};

// Runs one program from the build folder (where its data files are) until its first swap;
// returns false on failure.
static bool timeToFirstFrame(const char* program, std::string& renderer, StartUp& times)
{
    const std::string stamp = "/tmp/brinewings-swap-stamp." + std::to_string(getpid());
    std::remove(stamp.c_str());
    double start = monotonicNow();
    pid_t pid = fork();
    if (pid == 0) {
        if (chdir(BRINEWINGS_DATA_DIR) != 0)
            _exit(127);
        setenv("LD_PRELOAD", FIRST_SWAP_STAMP_LIBRARY, 1);
        setenv("BRINEWINGS_SWAP_STAMP", stamp.c_str(), 1);
        if (freopen("/dev/null", "w", stdout) == nullptr)
            _exit(127);
        execl(program, program, (char*)nullptr);
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    std::ifstream in(stamp);
    double opened = 0.0, entered = 0.0, swapped = 0.0;
    if (!(in >> opened >> entered >> swapped))
        return false;
    in.ignore();
    std::getline(in, renderer);
    std::remove(stamp.c_str());
    times = {opened - start, entered - start, swapped - start};
    return true;
}

static void startup(benchmark::State& state, const char* program)
{
    std::string renderer;
    for (auto _ : state) {
        StartUp times{};
        if (!timeToFirstFrame(program, renderer, times)) {
            state.SkipWithError("the program did not swap a frame (is DISPLAY set?)");
            return;
        }
        state.SetIterationTime(times.firstSwap);
        // Where the time went: opening the window, the program's own work, the first frame.
        state.counters["window_ms"] = times.windowOpen * 1e3;
        state.counters["own_work_ms"] = (times.loopEntered - times.windowOpen) * 1e3;
        state.counters["first_frame_ms"] = (times.firstSwap - times.loopEntered) * 1e3;
    }
    state.SetLabel(renderer);
}

BENCHMARK_CAPTURE(startup, brinewings, BRINEWINGS_BINARY)
    ->UseManualTime()->Iterations(1)->Repetitions(7)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(startup, floor_bare_glut, FLOOR_PROGRAM)
    ->UseManualTime()->Iterations(1)->Repetitions(7)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

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

// Runs one program from the build folder (where its data files are) until its first swap;
// returns the seconds from fork to that swap, or a negative value on failure.
static double timeToFirstFrame(const char* program, std::string& renderer)
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
    double swapped = -1.0;
    if (!(in >> swapped))
        return -1.0;
    in.ignore();
    std::getline(in, renderer);
    std::remove(stamp.c_str());
    return swapped - start;
}

static void startup(benchmark::State& state, const char* program)
{
    std::string renderer;
    for (auto _ : state) {
        double seconds = timeToFirstFrame(program, renderer);
        if (seconds < 0.0) {
            state.SkipWithError("the program did not swap a frame (is DISPLAY set?)");
            return;
        }
        state.SetIterationTime(seconds);
    }
    state.SetLabel(renderer);
}

BENCHMARK_CAPTURE(startup, brinewings, BRINEWINGS_BINARY)
    ->UseManualTime()->Iterations(1)->Repetitions(7)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(startup, floor_bare_glut, FLOOR_PROGRAM)
    ->UseManualTime()->Iterations(1)->Repetitions(7)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

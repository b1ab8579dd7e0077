// benchmark_report.cpp -- the benchmark's figures as report lines and as a JSON results file
#include "benchmark/benchmark_report.h"

#include "common/window_size.h"
#include "flight/flight.h"
#include "flight/flight_input.h"
#include "benchmark/frame_times.h"
#include "output/output_file.h"

#include <nlohmann/json.hpp>

#include <string>

using Json = nlohmann::ordered_json;

static const int kSettingChars = 256;

static char renderer[kSettingChars];
static char version[kSettingChars];
static char swapControl[kSettingChars];
static bool swapIntervalZero = false;

static bool isOn(int toggles, ToggleIndex toggle)
{
    return (toggles & 1 << toggle) != 0;
}

// "full scene" or "reference scene", then the toggles that differ from the start of a flight:
// wireframe on, fog off, mountains off.
static std::string sceneName(int toggles)
{
    std::string name = isOn(toggles, kToggleReferenceScene) ? "reference scene" : "full scene";
    if (isOn(toggles, kToggleWireframe))
        name += ", wireframe";
    if (!isOn(toggles, kToggleFog))
        name += ", fog off";
    if (!isOn(toggles, kToggleMountains))
        name += ", mountains off";
    return name;
}

void printFrameFigures(FILE* out, const BenchmarkEnd& end)
{
    const std::vector<PhaseFigures>& phases = framePhases();
    for (size_t i = 0; i < phases.size(); i++) {
        const PhaseFigures& phase = phases[i];
        const FrameFigures& f = phase.figures;
        fprintf(out,
                "brinewings benchmark: phase %zu, ticks %lld to %lld, %s: %lld frames in %.2f s, mean %.1f fps, "
                "median %.2f ms, 99th percentile %.2f ms\n",
                i + 1, phase.firstTick, phase.lastTick, sceneName(phase.toggles).c_str(), f.frames, f.seconds,
                f.meanFps, f.medianMs, f.percentile99Ms);
    }
    char incomplete[96] = "";
    if (!end.complete)
        snprintf(incomplete, sizeof incomplete, "incomplete at tick %lld of %lld: ", end.tick, end.routeTicks);
    FrameFigures total = frameTotals();
    if (total.frames == 0) {
        fprintf(out, "brinewings benchmark: %sno frames timed\n", incomplete);
        return;
    }
    fprintf(out, "brinewings benchmark: %s%lld frames in %.2f s, mean %.1f fps, median %.2f ms, 99th percentile %.2f ms\n",
            incomplete, total.frames, total.seconds, total.meanFps, total.medianMs, total.percentile99Ms);
}

static Json figuresJson(const FrameFigures& f)
{
    return Json{{"frames", f.frames},
                {"seconds", f.seconds},
                {"mean_fps", f.meanFps},
                {"median_ms", f.medianMs},
                {"percentile_99_ms", f.percentile99Ms}};
}

bool writeBenchmarkResults(const char* file, const BenchmarkSetting& setting, const BenchmarkEnd& end)
{
    Json phases = Json::array();
    for (const PhaseFigures& phase : framePhases()) {
        Json entry = {{"first_tick", phase.firstTick},
                      {"last_tick", phase.lastTick},
                      {"scene", sceneName(phase.toggles)},
                      {"reference_scene", isOn(phase.toggles, kToggleReferenceScene)},
                      {"wireframe", isOn(phase.toggles, kToggleWireframe)},
                      {"fog", isOn(phase.toggles, kToggleFog)},
                      {"mountains", isOn(phase.toggles, kToggleMountains)}};
        entry.update(figuresJson(phase.figures));
        phases.push_back(entry);
    }
    Json results = {
        {"renderer", setting.renderer},
        {"opengl_version", setting.version},
        {"window", {{"width", setting.width}, {"height", setting.height}}},
        {"swap_interval_zero", setting.swapIntervalZero},
        {"swap_control", setting.swapControl},
        {"complete", end.complete},
        {"route_ticks", end.routeTicks},
        {"phases", phases},
        {"total", figuresJson(frameTotals())},
        {"end", {{"tick", end.tick},
                 {"heading", heading},
                 {"eye", {{"x", eye.x}, {"y", eye.y}, {"z", eye.z}}},
                 {"speed", speed}}},
    };
    // A driver's strings are not promised to be UTF-8: a stray byte becomes U+FFFD, not an error.
    std::string text = results.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
    return writeOutputFile(file, text.data(), text.size());
}

void noteBenchmarkSetting(const char* rendererName, const char* versionText, const char* swapControlText,
                          bool intervalZero)
{
    snprintf(renderer, sizeof renderer, "%s", rendererName);
    snprintf(version, sizeof version, "%s", versionText);
    snprintf(swapControl, sizeof swapControl, "%s", swapControlText);
    swapIntervalZero = intervalZero;
}

void printBenchmarkReport(const BenchmarkEnd& end)
{
    printf("brinewings benchmark: renderer %s, OpenGL %s, window %d x %d, %s\n", renderer, version, winWidth,
           winHeight, swapControl);
    printFrameFigures(stdout, end);
}

bool writeBenchmarkResultsFile(const char* file, const BenchmarkEnd& end)
{
    return writeBenchmarkResults(file, {renderer, version, winWidth, winHeight, swapControl, swapIntervalZero}, end);
}

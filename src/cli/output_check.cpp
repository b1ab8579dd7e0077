// output_check.cpp -- the files a run will write, checked before the window opens
#include "cli/output_check.h"

#include "common/data_files.h"
#include "common/shown_path.h"
#include "flight/flight_file.h"
#include "os/os.h"
#include "output/output_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

static const int kOutputSlots = kScreenshotSlots + 2;  // the screenshots, --record, --results
static const int kInputSlots = kDataFileCount + 1;      // the data files and the flight file

// A file named on the command line or read by the program, as the checks compare it.
struct NamedFile {
    std::string shown;       // how a message names it: "--screenshot 5:a.png", "the data file sea02.jpg"
    const char* path;        // as given
    std::string folder;      // the folder part of the path (an output's once followed), "." for a bare name
    std::string realFolder;  // that folder's real path; empty when it is not found
    std::string resolved;    // realFolder, '/', the name
    std::string name;
    OsFileInfo info;         // what the system says of the file
    bool isFolder;           // a folder, or a name that can only be one ("x/", "x/.")
    bool inPlace;            // an output written where it is, never replaced (output_file.h)
};

// Fills file from path. On a folder that cannot be resolved (missing, not a folder) returns the
// error number; 0 otherwise.
static int resolve(const char* path, NamedFile* file)
{
    const char* slash = osLastSeparator(path);
    file->folder = slash == nullptr ? "." : slash == path ? "/" : std::string(path, (size_t)(slash - path));
    // "C:/x" is in "C:/"; "C:" alone would be the working folder of drive C.
    if (file->folder.back() == ':' && osIsAbsolutePath((file->folder + "/").c_str()))
        file->folder += '/';
    file->name = slash == nullptr ? path : slash + 1;
    osFileInfo(path, &file->info);
    // "x/", "x/." and "x/.." name folders whatever x is.
    file->isFolder = file->info.folder || file->name.empty() || file->name == "." || file->name == "..";
    file->resolved.clear();
    file->realFolder.clear();
    std::string real;
    int error = osRealPath(file->folder.c_str(), &real);
    if (error != 0)
        return error;
    OsFileInfo folder;
    if (osFileInfo(real.c_str(), &folder) != 0 || !folder.folder)
        return ENOTDIR;
    file->realFolder = real;
    file->resolved = real + (real == "/" ? "" : "/") + file->name;
    return 0;
}

static bool sameFile(const NamedFile& a, const NamedFile& b)
{
    if (a.info.exists && b.info.exists)
        return osSameFile(a.info, b.info);
    return !a.resolved.empty() && osSameResolvedPath(a.resolved, b.resolved);
}

// One output on its own, judged by the file a write reaches (output_file.h): that file can be
// written, or its folder written in when the file is made or replaced there, and its name fits
// the file system. It is not a folder.
static bool checkOutput(NamedFile* output, char* message, size_t messageSize)
{
    OutputTarget target;
    int error = findOutputTarget(output->path, &target);
    if (error != 0) {
        snprintf(message, messageSize, "brinewings: %s: %s", output->shown.c_str(), osErrorText(error));
        return false;
    }
    output->inPlace = target.inPlace;
    error = resolve(target.path.c_str(), output);
    if (output->isFolder && error == 0) {
        snprintf(message, messageSize, "brinewings: %s: is a folder", output->shown.c_str());
        return false;
    }
    // Written where it is: the file must take writes; its folder plays no part.
    if (output->inPlace) {
        error = osCanWrite(output->path);
        if (error == 0)
            return true;
        snprintf(message, messageSize, "brinewings: %s: %s", output->shown.c_str(), osErrorText(error));
        return false;
    }
    if (error == 0)
        error = osCanWriteInFolder(output->realFolder.c_str());
    if (error != 0) {
        // The folder as the user typed it, as the rest of the line; through a link, the folder
        // the link leads to.
        const char* typed = typedPath(output->path);
        const char* slash = osLastSeparator(typed);
        std::string folder = target.path != output->path ? output->folder
                             : slash == nullptr          ? "."
                             : slash == typed            ? "/"
                                                         : std::string(typed, (size_t)(slash - typed));
        snprintf(message, messageSize, "brinewings: %s: cannot write in '%s': %s", output->shown.c_str(),
                 shownPath(folder.c_str()), osErrorText(error));
        return false;
    }
    long nameMax = osNameMax(output->realFolder.c_str());
    if ((nameMax > 0 && output->name.size() > (size_t)nameMax) || (long)output->resolved.size() >= osPathMax())
        error = ENAMETOOLONG;
    else if (output->info.regular)
        error = osCanWrite(output->resolved.c_str());
    if (error != 0) {
        snprintf(message, messageSize, "brinewings: %s: %s", output->shown.c_str(), osErrorText(error));
        return false;
    }
    return true;
}

// The tick of the last frame the flight draws, or -1 when it can go on for ever: the first
// quit ends it at its tick; the benchmark ends one tick after its last event.
static long long lastFrameTick(bool benchmark)
{
    bool quits = false;
    long long end = flightFileEnd(&quits);
    return quits || benchmark ? end : -1;
}

bool checkRunOutputs(const RunOptions& options, const char* flightFile, char* message, size_t messageSize)
{
    static NamedFile outputs[kOutputSlots];
    static NamedFile inputs[kInputSlots];
    int outputCount = 0;
    for (int i = 0; i < options.screenshotCount; i++) {
        outputs[outputCount].shown = "--screenshot " + std::to_string(options.screenshots[i].tick) + ":" +
                                     shownPath(options.screenshots[i].file);
        outputs[outputCount++].path = options.screenshots[i].file;
    }
    if (options.recordFile != nullptr) {
        outputs[outputCount].shown = std::string("--record ") + shownPath(options.recordFile);
        outputs[outputCount++].path = options.recordFile;
    }
    if (options.resultsFile != nullptr) {
        outputs[outputCount].shown = std::string("--results ") + shownPath(options.resultsFile);
        outputs[outputCount++].path = options.resultsFile;
    }
    int inputCount = 0;
    for (const char* data : kDataFiles) {
        inputs[inputCount].shown = std::string("the data file ") + data;
        inputs[inputCount].path = data;
        resolve(data, &inputs[inputCount++]);
    }
    if (flightFile != nullptr) {
        inputs[inputCount].shown = std::string("the flight file ") + shownPath(flightFile);
        inputs[inputCount].path = flightFile;
        resolve(flightFile, &inputs[inputCount++]);
    }

    for (int i = 0; i < outputCount; i++) {
        NamedFile& output = outputs[i];
        if (!checkOutput(&output, message, messageSize))
            return false;
        // A device or a pipe is written in place, and several outputs may share it (/dev/null).
        if (output.inPlace && !output.info.regular)
            continue;
        for (int j = 0; j < inputCount; j++) {
            if (sameFile(output, inputs[j])) {
                snprintf(message, messageSize, "brinewings: %s would overwrite %s", output.shown.c_str(),
                         inputs[j].shown.c_str());
                return false;
            }
        }
        for (int j = 0; j < i; j++) {
            // Standard output written in place by several outputs loses none of them.
            if (!(output.inPlace && outputs[j].inPlace) && sameFile(output, outputs[j])) {
                snprintf(message, messageSize, "brinewings: %s and %s name the same file", outputs[j].shown.c_str(),
                         output.shown.c_str());
                return false;
            }
        }
    }

    long long last = flightFile == nullptr ? -1 : lastFrameTick(options.benchmark);
    for (int i = 0; i < options.screenshotCount && last >= 0; i++) {
        if (options.screenshots[i].tick > last) {
            snprintf(message, messageSize,
                     "brinewings: --screenshot %d:%s: the %s ends at tick %lld, so that frame is never drawn",
                     options.screenshots[i].tick, shownPath(options.screenshots[i].file),
                     options.benchmark ? "benchmark" : "flight", last);
            return false;
        }
    }
    return true;
}

bool keepStandardOutputForOutputs(const RunOptions& options)
{
    const char* files[kOutputSlots];
    int count = 0;
    for (int i = 0; i < options.screenshotCount; i++)
        files[count++] = options.screenshots[i].file;
    for (const char* file : {options.recordFile, options.resultsFile})
        if (file != nullptr)
            files[count++] = file;
    return keepStandardOutputFor(files, count);
}

// recording.cpp -- the flight's events written to a flight file as they are applied (--record)
#include "output/recording.h"

#include "common/shown_path.h"
#include "flight/flight_file.h"
#include "os/os.h"
#include "output/output_file.h"

#include <cerrno>
#include <cstdio>

static int recording = -1;            // the file's descriptor while recording
static const char* recordingName = nullptr;
static bool recordingQuits = false;   // the last recorded event ends the flight
static int recordingStream = 0;       // 1 or 2 when the recording goes to standard output or error
static bool cutBack = false;          // a regular file of our own: cut back to wholeBytes on failure
static long long wholeBytes = 0;      // the bytes of the whole lines written

static bool fail(int error)
{
    // The file ends at its last whole line, so it still replays, to the tick it reached.
    if (cutBack)
        (void)osTruncate(recording, wholeBytes);
    fprintf(stderr, "brinewings: %s: %s\n", shownPath(recordingName), outputErrorText(error).c_str());
    osClose(recording);
    recording = -1;
    return false;
}

// Writes event as one line, whole or not at all.
static bool writeLine(const FlightEvent& event)
{
    char line[kFlightLineBytes];
    int length = formatFlightEvent(line, sizeof line, event);
    // Standard output keeps the order of what the program printed before.
    if (recordingStream != 0 && fflush(recordingStream == 1 ? stdout : stderr) != 0)
        return fail(errno);
    int error = osWriteAll(recording, line, (size_t)length);
    if (error != 0)
        return fail(error);
    wholeBytes += length;
    return true;
}

bool openRecording(const char* file)
{
    recordingName = file;
    wholeBytes = 0;
    // Written to the file a link reaches, as every output is (output/output_file.h).
    OutputTarget target;
    int error = findOutputTarget(file, &target);
    recordingStream = error == 0 ? target.stream : 0;
    cutBack = error == 0 && !target.inPlace;
    // A named pipe is waited for until a reader has it open, at most kPipeReaderWaitNs.
    if (error == 0 && recordingStream != 0)
        error = osDuplicateStream(recordingStream, &recording);
    else if (error == 0)
        error = osOpenForWriting(target.inPlace ? file : target.path.c_str(), true, kPipeReaderWaitNs, &recording);
    if (error != 0) {
        recording = -1;
        fprintf(stderr, "brinewings: %s: %s\n", shownPath(file), outputErrorText(error).c_str());
        return false;
    }
    return true;
}

bool recordEvent(const FlightEvent& event)
{
    // Keys a flight file cannot hold ('#', space, control characters) have no binding either.
    bool writable = event.action != kFlightKey || (event.a >= kFlightFirstKey && event.a <= kFlightLastKey && event.a != '#');
    if (recording < 0 || !writable)
        return true;
    // A flight file ends at tick 1000000000 (11 days at 1000 frames a second); later input is
    // not recorded, and the file stays valid.
    if (event.tick > kFlightMaxTick || event.tick < 0) {
        fprintf(stderr, "brinewings: %s: recording stopped at tick %d\n", shownPath(recordingName), kFlightMaxTick);
        osClose(recording);
        recording = -1;
        return true;
    }
    recordingQuits = endsFlight(event);
    return writeLine(event);
}

bool closeRecording(long long tick)
{
    if (recording < 0)
        return true;
    if (!recordingQuits && tick <= kFlightMaxTick && !writeLine({(int)tick, kFlightQuit, 0, 0}))
        return false;
    int file = recording;
    recording = -1;
    int error = osClose(file);
    if (error != 0) {
        fprintf(stderr, "brinewings: %s: %s\n", shownPath(recordingName), osErrorText(error));
        return false;
    }
    return true;
}

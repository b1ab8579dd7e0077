// recording.cpp -- the flight's events written to a flight file as they are applied (--record)
#include "run/recording.h"

#include "common/shown_path.h"
#include "flight/flight_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

static FILE* recording = nullptr;
static const char* recordingName = nullptr;
static bool recordingQuits = false;  // the last recorded event ends the flight

static bool fail(int error)
{
    fprintf(stderr, "brinewings: %s: %s\n", shownPath(recordingName), strerror(error));
    fclose(recording);
    recording = nullptr;
    return false;
}

bool openRecording(const char* file)
{
    recordingName = file;
    recording = fopen(file, "w");
    if (recording == nullptr) {
        fprintf(stderr, "brinewings: %s: %s\n", shownPath(file), strerror(errno));
        return false;
    }
    return true;
}

bool recordEvent(const FlightEvent& event)
{
    // Keys a flight file cannot hold ('#', space, control characters) have no binding either.
    bool writable = event.action != kFlightKey || (event.a >= 33 && event.a <= 126 && event.a != '#');
    if (recording == nullptr || !writable)
        return true;
    // A flight file ends at tick 1000000000 (11 days at 1000 frames a second); later input is
    // not recorded, and the file stays valid.
    if (event.tick > kFlightMaxTick || event.tick < 0) {
        fprintf(stderr, "brinewings: %s: recording stopped at tick %d\n", shownPath(recordingName), kFlightMaxTick);
        fclose(recording);
        recording = nullptr;
        return true;
    }
    recordingQuits = endsFlight(event);
    errno = 0;
    if (!writeFlightEvent(recording, event))
        return fail(errno != 0 ? errno : EIO);
    return true;
}

bool closeRecording(long long tick)
{
    if (recording == nullptr)
        return true;
    errno = 0;
    if (!recordingQuits && tick <= kFlightMaxTick &&
        !writeFlightEvent(recording, {(int)tick, kFlightQuit, 0, 0}))
        return fail(errno != 0 ? errno : EIO);
    FILE* file = recording;
    recording = nullptr;
    if (fclose(file) != 0) {
        fprintf(stderr, "brinewings: %s: %s\n", shownPath(recordingName), strerror(errno));
        return false;
    }
    return true;
}

// flight_file.cpp -- reads and writes flight files, checking every byte and number at the boundary
#include "flight/flight_file.h"

#include "common/decimal.h"
#include "common/shown_path.h"
#include "os/os.h"

#include <cerrno>
#include <cstring>

FlightEvent flightEvents[kFlightEventSlots];
int flightEventCount = 0;

static const int kTokenSlots = 5;  // one more than the longest event, to spot an extra argument
static const char* const kActionNames[] = {"pointer", "key", "special", "quit"};
static const int kArgumentCounts[] = {2, 1, 1, 0};

// Checks one number argument; on failure writes the reason and returns false.
static bool numberArgument(const char* what, const char* text, int low, int high, int* value,
                           char* reason, size_t reasonSize)
{
    long long number = 0;
    DecimalRead read = readDecimal(text, low, high, &number);
    if (read == kDecimalNone)
        snprintf(reason, reasonSize, "%s '%s' is not a whole number", what, text);
    else if (read == kDecimalOutOfRange)
        snprintf(reason, reasonSize, "%s %s is out of range (%d to %d)", what, text, low, high);
    else
        *value = (int)number;
    return read == kDecimalRead;
}

// Parses one line, comment already cut off, into event. Returns 1 for an event, 0 for a blank
// line, -1 with a reason for anything else.
static int parseLine(char* line, int previousTick, FlightEvent* event, char* reason, size_t reasonSize)
{
    char* tokens[kTokenSlots];
    int count = 0;
    for (char* token = strtok(line, " \t"); token != nullptr; token = strtok(nullptr, " \t")) {
        if (count == kTokenSlots)
            break;
        tokens[count++] = token;
    }
    if (count == 0)
        return 0;
    if (!numberArgument("tick", tokens[0], 0, kFlightMaxTick, &event->tick, reason, reasonSize))
        return -1;
    if (count < 2) {
        snprintf(reason, reasonSize, "missing action after the tick");
        return -1;
    }
    int action = 0;
    while (action < 4 && strcmp(tokens[1], kActionNames[action]) != 0)
        action++;
    if (action == 4) {
        snprintf(reason, reasonSize, "unknown action '%s'", tokens[1]);
        return -1;
    }
    int wanted = kArgumentCounts[action];
    if (count - 2 < wanted) {
        snprintf(reason, reasonSize, "%s needs %d argument%s", tokens[1], wanted, wanted == 1 ? "" : "s");
        return -1;
    }
    if (count - 2 > wanted) {
        snprintf(reason, reasonSize, "extra argument '%s' after %s", tokens[2 + wanted], tokens[1]);
        return -1;
    }
    if (event->tick < previousTick) {
        snprintf(reason, reasonSize, "tick %d is before the previous event's tick %d", event->tick,
                 previousTick);
        return -1;
    }
    event->action = (FlightAction)action;
    event->a = 0;
    event->b = 0;
    switch (event->action) {
    case kFlightPointer:
        if (!numberArgument("pointer X", tokens[2], -kFlightMaxCoordinate, kFlightMaxCoordinate,
                            &event->a, reason, reasonSize) ||
            !numberArgument("pointer WIDTH", tokens[3], 1, kFlightMaxCoordinate, &event->b, reason,
                            reasonSize))
            return -1;
        break;
    case kFlightKey:
        // Other bytes cannot reach this point: the line was checked to be text and '#' is cut off.
        if (strlen(tokens[2]) != 1) {
            snprintf(reason, reasonSize, "key '%s' is not one character", tokens[2]);
            return -1;
        }
        event->a = (unsigned char)tokens[2][0];
        break;
    case kFlightSpecial:
        while (event->a < kSpecialKeyCount && strcmp(tokens[2], kSpecialKeys[event->a].name) != 0)
            event->a++;
        if (event->a == kSpecialKeyCount) {
            snprintf(reason, reasonSize, "unknown special key '%s' (up, down, page_up or page_down)",
                     tokens[2]);
            return -1;
        }
        break;
    case kFlightQuit:
        break;
    }
    return 1;
}

// Reads one line into line (at most kFlightLineChars characters, without its line end) and cuts
// off its comment. Returns 1 for a line, 0 at the end of the file, -1 with a reason for a line
// that is too long or holds a byte that is not text. Tabs are text; a carriage return is
// allowed just before the line feed; bytes above 127 only inside a comment (UTF-8 there).
static int readLine(FILE* file, char* line, char* reason, size_t reasonSize)
{
    int length = 0;
    bool comment = false;
    int c = fgetc(file);
    if (c == EOF)
        return 0;
    for (; c != EOF && c != '\n'; c = fgetc(file)) {
        if (c == '\r') {
            int next = fgetc(file);
            if (next == '\n' || next == EOF)
                break;
            ungetc(next, file);
        }
        bool text = c == '\t' || (c >= 32 && c < 127) || (comment && c >= 128);
        if (!text) {
            snprintf(reason, reasonSize, "byte 0x%02x is not text", c);
            return -1;
        }
        if (length == kFlightLineChars) {
            snprintf(reason, reasonSize, "line longer than %d characters", kFlightLineChars);
            return -1;
        }
        comment = comment || c == '#';
        line[length++] = comment ? ' ' : (char)c;
    }
    line[length] = '\0';
    return 1;
}

// Editors on some systems start a UTF-8 file with a byte-order mark (EF BB BF): it is skipped.
// Returns false when the file starts with 0xEF without one, a byte no flight file may hold.
static bool skipByteOrderMark(FILE* file)
{
    int first = fgetc(file);
    if (first != 0xEF) {
        if (first != EOF)
            ungetc(first, file);
        return true;
    }
    return fgetc(file) == 0xBB && fgetc(file) == 0xBF;
}

bool readFlightStream(FILE* file, const char* path, char* message, size_t messageSize)
{
    flightEventCount = 0;
    char line[kFlightLineChars + 1];
    char reason[kFlightLineChars + 128];
    int previousTick = 0;
    int status = skipByteOrderMark(file) ? 0 : -1;
    int lineNumber = status < 0 ? 1 : 0;
    if (status < 0)
        snprintf(reason, sizeof reason, "byte 0xef is not text");
    while (status >= 0) {
        lineNumber++;
        status = readLine(file, line, reason, sizeof reason);
        if (status <= 0)
            break;
        FlightEvent event;
        status = parseLine(line, previousTick, &event, reason, sizeof reason);
        if (status < 0)
            break;
        if (status == 0)
            continue;
        if (flightEventCount == kFlightEventSlots) {
            snprintf(reason, sizeof reason, "more than %d events", kFlightEventSlots);
            status = -1;
            break;
        }
        flightEvents[flightEventCount++] = event;
        previousTick = event.tick;
    }
    if (ferror(file) != 0) {
        snprintf(message, messageSize, "brinewings: %s: %s", shownPath(path), strerror(errno));
    } else if (status < 0) {
        snprintf(message, messageSize, "brinewings: %s:%d: %s", shownPath(path), lineNumber, reason);
    } else {
        return true;
    }
    flightEventCount = 0;
    return false;
}

bool readFlightFile(const char* path, char* message, size_t messageSize)
{
    FILE* file = osOpenRead(path);
    if (file == nullptr) {
        flightEventCount = 0;
        snprintf(message, messageSize, "brinewings: %s: %s", shownPath(path), strerror(errno));
        return false;
    }
    bool read = readFlightStream(file, path, message, messageSize);
    fclose(file);
    return read;
}

long long flightFileEnd(bool* quits)
{
    int i = 0;
    while (i < flightEventCount && !endsFlight(flightEvents[i]))
        i++;
    if (quits != nullptr)
        *quits = i < flightEventCount;
    if (i < flightEventCount)
        return flightEvents[i].tick;
    return flightEventCount > 0 ? flightEvents[flightEventCount - 1].tick + 1LL : 0;
}

int formatFlightEvent(char* line, size_t size, const FlightEvent& event)
{
    switch (event.action) {
    case kFlightPointer: return snprintf(line, size, "%d pointer %d %d\n", event.tick, event.a, event.b);
    case kFlightKey: return snprintf(line, size, "%d key %c\n", event.tick, (char)event.a);
    case kFlightSpecial: return snprintf(line, size, "%d special %s\n", event.tick, kSpecialKeys[event.a].name);
    case kFlightQuit: return snprintf(line, size, "%d quit\n", event.tick);
    }
    return 0;
}

bool writeFlightEvent(FILE* out, const FlightEvent& event)
{
    char line[kFlightLineBytes];
    int length = formatFlightEvent(line, sizeof line, event);
    return length > 0 && fputs(line, out) >= 0 && fflush(out) == 0;
}

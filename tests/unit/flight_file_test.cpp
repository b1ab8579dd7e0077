// flight_file_test.cpp -- flight files read back exactly, and every kind of bad line refused by name
#include "run/run_options.h"
#include "flight/flight_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

// Reads text as the flight file "f"; message gets the refusal.
static bool readText(const std::string& text, char (&message)[512])
{
    FILE* in = fmemopen((void*)text.data(), text.size(), "r");
    bool read = readFlightStream(in, "f", message, sizeof message);
    fclose(in);
    return read;
}

TEST(FlightFile, EveryActionReadsBackAndWritesTheSameLine)
{
    // Exactly 200 characters on a line, and UTF-8 inside a comment, are text.
    std::string text = "# caf\xc3\xa9\n\n0 pointer -100000 100000" + std::string(176, ' ') + "\n0\tkey ~  # x\r\n"
                       "7 special page_down\n7 special up\n1000000000 key !\n1000000000 quit";
    char message[512] = "";
    ASSERT_TRUE(readText(text, message)) << message;
    char* written = nullptr;
    size_t size = 0;
    FILE* out = open_memstream(&written, &size);
    for (int i = 0; i < flightEventCount; i++)
        ASSERT_TRUE(writeFlightEvent(out, flightEvents[i]));
    fclose(out);
    EXPECT_STREQ(written, "0 pointer -100000 100000\n0 key ~\n7 special page_down\n7 special up\n"
                          "1000000000 key !\n1000000000 quit\n");
    free(written);
}

TEST(FlightFile, BadFilesAreRefusedWithTheLineAndTheReason)
{
    struct Case { std::string text, reason; } cases[] = {
        {"0 jump", "1: unknown action 'jump'"},
        {"# ok\n0 pointer 5", "2: pointer needs 2 arguments"},
        {"0 key", "1: key needs 1 argument"},
        {"0 quit now", "1: extra argument 'now' after quit"},
        {"0 key ab", "1: key 'ab' is not one character"},
        {"0 key #", "1: key needs 1 argument"},
        {"0 special left", "1: unknown special key 'left' (up, down, page_up or page_down)"},
        {"1000000001 quit", "1: tick 1000000001 is out of range (0 to 1000000000)"},
        {"99999999999999999999 quit", "1: tick 99999999999999999999 is out of range (0 to 1000000000)"},
        {"-1 quit", "1: tick -1 is out of range (0 to 1000000000)"},
        {"1e3 quit", "1: tick '1e3' is not a whole number"},
        {"0 pointer 100001 1200", "1: pointer X 100001 is out of range (-100000 to 100000)"},
        {"0 pointer 5 0", "1: pointer WIDTH 0 is out of range (1 to 100000)"},
        {"0 pointer 5 +3", "1: pointer WIDTH '+3' is not a whole number"},
        {"5 quit\n4 quit", "2: tick 4 is before the previous event's tick 5"},
        {"0 quit\n" + std::string(201, ' '), "2: line longer than 200 characters"},
        {"0 qu\x01it", "1: byte 0x01 is not text"},
        {"0 quit\n0 key \xc3\xa9", "2: byte 0xc3 is not text"},
        {"0 quit\r0 quit", "1: byte 0x0d is not text"},
    };
    for (const Case& c : cases) {
        char message[512] = "";
        EXPECT_FALSE(readText(c.text, message)) << c.text;
        EXPECT_EQ(message, "brinewings: f:" + c.reason);
        EXPECT_EQ(flightEventCount, 0);
    }
    char message[512] = "";
    EXPECT_FALSE(readFlightFile("/nonexistent/flight", message, sizeof message));
    EXPECT_STREQ(message, "brinewings: /nonexistent/flight: No such file or directory");
}

TEST(RunOptions, ValuesAreTakenInBothFormsAndBadOnesRefused)
{
    const char* good[] = {"brinewings", "-x", "--replay", "a.flight", "--record=b.flight", "--benchmark",
                          "--screenshot", "0:first.png", "--screenshot=1000000000:x:y.png", "--replayed"};
    RunOptions options;
    char message[256] = "";
    ASSERT_TRUE(parseRunOptions(10, (char**)good, &options, message, sizeof message)) << message;
    EXPECT_EQ(std::string(options.replayFile) + " " + options.recordFile + " " + options.screenshots[1].file,
              "a.flight b.flight x:y.png");
    EXPECT_TRUE(options.benchmark && options.screenshotCount == 2 && options.screenshots[1].tick == 1000000000);

    struct Case { const char* argument; const char* value; const char* message; } cases[] = {
        {"--replay", nullptr, "brinewings: --replay needs a value"},
        {"--record=", nullptr, "brinewings: --record needs a value"},
        {"--replay", "a", "brinewings: --replay given twice"},
        {"--screenshot", "12", "brinewings: --screenshot '12': expected TICK:FILE, TICK from 0 to 1000000000"},
        {"--screenshot", "5:", "brinewings: --screenshot '5:': expected TICK:FILE, TICK from 0 to 1000000000"},
    };
    for (const Case& c : cases) {
        const char* argv[] = {"brinewings", "--replay=x", c.argument, c.value};
        RunOptions fresh;
        EXPECT_FALSE(parseRunOptions(c.value != nullptr ? 4 : 3, (char**)argv, &fresh, message, sizeof message));
        EXPECT_STREQ(message, c.message);
    }
}

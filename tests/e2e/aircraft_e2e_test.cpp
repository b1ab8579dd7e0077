// aircraft_e2e_test.cpp -- the real binary: the aircraft in view, and the two missing-model cases
#include "support/e2e.h"
#include "support/flight_run.h"

#include <gtest/gtest.h>

#include <string>

static int yellowPixelsBelowCentre(const Screenshot& shot)
{
    int count = 0;
    for (int y = shot.height / 2; y < shot.height; y += 2)
        for (int x = 0; x < shot.width; x += 2)
            count += shot.r(x, y) > 150 && shot.g(x, y) > 150 && shot.b(x, y) < 90;
    return count;
}

TEST(AircraftProgram, TheGeneratedAircraftFliesInViewAndWireframeOutlinesIt)
{
    DataFolder data;
    // Straight ahead: the sun then lights the aircraft the same way in every run (circling
    // would turn its lit side away from the view part of the time).
    FlightRun run = flyFlight(data, "0 pointer 600 1200\n0 key s\n30 key w\n32 quit\n", {30, 31}, "--offscreen");
    const Screenshot& filled = run.shots[0];
    const Screenshot& outlined = run.shots[1];
    int filledYellow = yellowPixelsBelowCentre(filled);
    EXPECT_GT(filledYellow, 5000);
    EXPECT_GT(yellowPixelsBelowCentre(outlined), 100);
    EXPECT_LT(yellowPixelsBelowCentre(outlined), filledYellow / 2);
}

TEST(AircraftProgram, MissingCessnaIsReportedAndTheFlightGoesOnWithoutTheBody)
{
    DataFolder data;
    data.remove("cessna.txt");
    FlightRun run = flyFlight(data, "1 quit\n", {}, "--offscreen");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind("couldn't open cessna\nInvalid file pointer\n", 0), 0u) << run.out;
    EXPECT_NE(run.out.find("== CONTROLS ==\n"), std::string::npos);
}

TEST(AircraftProgram, MissingPropellerEndsStartUpWithStatus1)
{
    DataFolder data;
    data.remove("propeller.txt");
    Program program(data.path);
    ASSERT_TRUE(program.waitForExit(20.0));
    EXPECT_EQ(program.exitStatus(), 1);
    EXPECT_EQ(program.output(), "Can't open propeller file\n");
}

// flight_reset.h -- puts the flight state and toggles back to the program's start values
#pragma once

// Restores every flight variable and toggle of flight.h to the value the program starts with.
// The values are read from the globals themselves before any test runs, not copied here.
void resetFlightState();

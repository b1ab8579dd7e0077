// flight_reset.h -- puts the flight state and toggles back to their start values between tests
#pragma once

void resetFlightState();

// idle.h -- the idle callback: one tick of flight per call, then a frame
#pragma once

// One tick (advanceFlight), then a redisplay request. There is no clock: the flight advances
// by one tick per call, whatever time has passed.
void idle();

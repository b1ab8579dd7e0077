// frame.h -- drawing one complete frame of the scene
#pragma once

// The display callback: clear, camera from eye toward lookAt, the sun light, the aircraft and
// its propellers, then the reference scene or the sea, the sky and the mountains; swap.
void display();

// Everything display draws, without the swap, so tests can read back the finished frame.
void drawFrame();

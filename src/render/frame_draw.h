// frame_draw.h -- drawing one complete frame of the scene
#pragma once

// One frame: clear, camera from eye toward lookAt, the sun light, the aircraft and its
// propellers, then the reference scene or the sea, the sky and the mountains. The platform ends
// it (swaps or finishes), so the finished frame can be read back first.
void drawFrame();

// Direction toward the sun in world coordinates, w = 0 for a directional light: mostly up,
// a little toward +x and toward -z. drawFrame sets it after the camera, so it stays fixed in
// the world.
inline constexpr float kSunDirection[4] = {0.3f, 1.0f, -1.0f, 0.0f};

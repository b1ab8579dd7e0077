// offscreen_gpu.h -- which EGL device the off-screen platform draws with (--gpu, --list-gpus)
#pragma once

// kGpuDefault: the first EGL device, else EGL's surfaceless platform. kGpuSurfaceless: the
// surfaceless platform only. 0 and up: that EGL device only.
inline constexpr int kGpuDefault = -1;
inline constexpr int kGpuSurfaceless = -2;
inline constexpr int kGpuSlots = 16;  // EGL devices looked at: --gpu takes 0..kGpuSlots - 1

// The device the off-screen platform opens next; kGpuDefault until called.
void chooseOffscreenGpu(int gpu);

// Writes one line per EGL device found, and whether the surfaceless platform is offered, to
// standard output. Returns false when EGL offers neither.
bool listGpus();

// offscreen_gpu.h -- which EGL device an off-screen run draws on (--gpu)
#pragma once

// kGpuDefault: the first EGL device, else EGL's surfaceless platform. kGpuSurfaceless: the
// surfaceless platform only. 0 to kGpuSlots - 1: that EGL device only.
inline constexpr int kGpuDefault = -1;
inline constexpr int kGpuSurfaceless = -2;
inline constexpr int kGpuSlots = 16;  // EGL devices looked at

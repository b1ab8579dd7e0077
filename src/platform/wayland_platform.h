// wayland_platform.h -- the Wayland platform: the program's own window on a Wayland compositor
#pragma once

#include "platform/platform.h"

// A window of its own on the Wayland display (WAYLAND_DISPLAY, else wayland-0 in
// XDG_RUNTIME_DIR): xdg-shell's toplevel with app_id and title "brinewings", decorations drawn
// by the compositor (xdg-decoration) or else by libdecor, a desktop OpenGL compatibility context
// through EGL on wayland-egl, keys through xkbcommon and the pointer as flight events. A size
// asked for is in the desktop's units and kept; the default square is fitted to the output. On a
// scaled output the frame is drawn at the output's own resolution (the surface's buffer scale),
// so the surface's pixels, which the resize hook gets, are the desktop's units times the scale.
// The window counts as shown while the compositor answers its frames; one that is minimised or
// hidden gets no answer and holds the flight. Every wait on the compositor has a bound
// (kWaylandAnswerWaitNs): one that does not answer ends the run with one line.
inline constexpr long long kWaylandAnswerWaitNs = 5000000000LL;
const Platform& waylandPlatform();

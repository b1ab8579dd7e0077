// wayland_input_wayland.h -- the Wayland seat's keyboard and pointer as flight events: keys
// through xkbcommon with the compositor's repeat, the pointer over the window with the desktop's arrow
#pragma once

#include "flight/flight_input.h"

struct wl_compositor;
struct wl_seat;
struct wl_shm;
struct wl_surface;

// Follows the seat's keyboard and pointer from now on, handing each event to input as freeglut's
// window does: a key's character (Latin-1, with Control's codes) or one of the bound special
// keys (the arrows and Page Up and Down, the keypad's too), and pointer motion with no button
// held as the column in surface pixels and winWidth. Call as the seat is bound, so that none of
// its events goes unheard.
void followWaylandSeat(wl_seat* seat, void (*input)(FlightAction action, int a, int b));

// What the arrow over the window is made with; without (null, the default), none is shown.
void useWaylandCursor(wl_compositor* compositor, wl_shm* shm);

// The window's own surface, over which the pointer steers (not over a frame libdecor draws),
// and its scale: surface pixels per logical pixel.
void setWaylandContent(wl_surface* content, int scale);

// When the held key repeats next (osMonotonicNs), or -1 when none repeats.
long long nextKeyRepeatNs();

// Sends the held key's repeats that are due, at the rate and after the delay the compositor
// gives, as X's auto-repeat does for freeglut's window.
void repeatHeldKey();

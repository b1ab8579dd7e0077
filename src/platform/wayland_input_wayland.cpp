// wayland_input_wayland.cpp -- the Wayland seat's keyboard and pointer as flight events: keys
// through xkbcommon with the compositor's repeat, the pointer over the window with the desktop's arrow
#include "platform/wayland_input_wayland.h"

#include "common/window_size.h"
#include "flight/flight_file.h"
#include "os/os.h"

#include <sys/mman.h>
#include <wayland-client.h>
#include <wayland-cursor.h>
#include <xkbcommon/xkbcommon.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

static const int kCursorSize = 24;     // logical pixels, where XCURSOR_SIZE does not say
static const int kMaxKeyRepeats = 4;   // repeats made up at once after a stall; the rest are dropped

static void (*input)(FlightAction action, int a, int b) = nullptr;
static wl_compositor* compositor = nullptr;
static wl_shm* shm = nullptr;
static wl_keyboard* keyboard = nullptr;
static wl_pointer* pointer = nullptr;
static wl_surface* content = nullptr;  // the window's own surface, not its frame's
static int bufferScale = 1;
static wl_cursor_theme* cursorTheme = nullptr;  // loaded at the first pointer entry
static int cursorThemeScale = 0;
static wl_surface* cursorSurface = nullptr;
static xkb_context* xkbContext = nullptr;
static xkb_keymap* keymap = nullptr;
static xkb_state* keyState = nullptr;
static int repeatRate = 25;               // repeats a second; 0: keys do not repeat
static int repeatDelayMs = 600;
static uint32_t heldKey = 0;              // the xkb key code repeating, 0 for none
static long long nextRepeatNs = 0;
static int buttonsHeld = 0;               // pointer buttons down: motion then is a drag, not steering
static bool pointerInside = false;        // the pointer is over the window's content, not its frame

// The keysyms of the bound special keys, in FlightSpecialKey order, each with its keypad twin.
static const xkb_keysym_t kSpecialKeysyms[kSpecialKeyCount][2] = {
    {XKB_KEY_Up, XKB_KEY_KP_Up}, {XKB_KEY_Down, XKB_KEY_KP_Down},
    {XKB_KEY_Page_Up, XKB_KEY_KP_Page_Up}, {XKB_KEY_Page_Down, XKB_KEY_KP_Page_Down}};


// ---- keys

static void sendKey(uint32_t code)
{
    xkb_keysym_t keysym = xkb_state_key_get_one_sym(keyState, code);
    for (int i = 0; i < kSpecialKeyCount; i++) {
        if (keysym == kSpecialKeysyms[i][0] || keysym == kSpecialKeysyms[i][1]) {
            input(kFlightSpecial, i, 0);
            return;
        }
    }
    // The character as X gives it for the key (Latin-1, with Control's codes): what freeglut's
    // window hands on.
    uint32_t character = xkb_state_key_get_utf32(keyState, code);
    if (character > 0 && character < 256)
        input(kFlightKey, (int)character, 0);
}

static void keyboardKeymap(void*, wl_keyboard*, uint32_t format, int32_t fd, uint32_t size)
{
    if (format != WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 || size == 0 || xkbContext == nullptr) {
        osClose(fd);
        return;
    }
    void* text = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    osClose(fd);
    if (text == MAP_FAILED)
        return;
    // The compositor's text ends in a NUL within size; xkbcommon reads it as a string.
    xkb_keymap* map = xkb_keymap_new_from_buffer(xkbContext, (const char*)text, strnlen((const char*)text, size),
                                                 XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS);
    munmap(text, size);
    if (map == nullptr)
        return;
    xkb_state* state = xkb_state_new(map);
    if (state == nullptr) {
        xkb_keymap_unref(map);
        return;
    }
    xkb_state_unref(keyState);
    xkb_keymap_unref(keymap);
    keymap = map;
    keyState = state;
    heldKey = 0;
}

static void keyboardEnter(void*, wl_keyboard*, uint32_t, wl_surface*, wl_array*) {}

static void keyboardLeave(void*, wl_keyboard*, uint32_t, wl_surface*)
{
    heldKey = 0;
}

static void keyboardKey(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t key, uint32_t state)
{
    if (keyState == nullptr)
        return;
    uint32_t code = key + 8;  // evdev's codes to xkb's
    if (state == WL_KEYBOARD_KEY_STATE_PRESSED) {
        sendKey(code);
        if (repeatRate > 0 && xkb_keymap_key_repeats(keymap, code)) {
            heldKey = code;
            nextRepeatNs = osMonotonicNs() + repeatDelayMs * 1000000LL;
        }
    } else if (code == heldKey) {
        heldKey = 0;
    }
}

static void keyboardModifiers(void*, wl_keyboard*, uint32_t, uint32_t depressed, uint32_t latched, uint32_t locked,
                              uint32_t group)
{
    if (keyState != nullptr)
        xkb_state_update_mask(keyState, depressed, latched, locked, 0, 0, group);
}

static void keyboardRepeat(void*, wl_keyboard*, int32_t rate, int32_t delay)
{
    repeatRate = std::clamp(rate, 0, 1000);
    repeatDelayMs = std::clamp(delay, 0, 10000);
}

static const wl_keyboard_listener kKeyboardListener = [] {
    wl_keyboard_listener listener{};
    listener.keymap = keyboardKeymap;
    listener.enter = keyboardEnter;
    listener.leave = keyboardLeave;
    listener.key = keyboardKey;
    listener.modifiers = keyboardModifiers;
    listener.repeat_info = keyboardRepeat;
    return listener;
}();

void repeatHeldKey()
{
    if (heldKey == 0 || repeatRate <= 0)
        return;
    long long now = osMonotonicNs();
    long long interval = 1000000000LL / repeatRate;
    for (int i = 0; i < kMaxKeyRepeats && now >= nextRepeatNs; i++) {
        sendKey(heldKey);
        nextRepeatNs += interval;
    }
    if (now >= nextRepeatNs)
        nextRepeatNs = now + interval;
}

// ---- the pointer

static void movePointer(wl_fixed_t x)
{
    // Steering follows the pointer with no button held, as freeglut's passive motion does; the
    // column is in the surface's pixels, as the window's width is.
    if (buttonsHeld > 0)
        return;
    double column = std::floor(wl_fixed_to_double(x) * bufferScale);
    int clamped = (int)std::clamp(column, (double)-kFlightMaxCoordinate, (double)kFlightMaxCoordinate);
    input(kFlightPointer, clamped, std::clamp(winWidth, 1, kFlightMaxCoordinate));
}

// The desktop's arrow over the window, as freeglut's window shows X's: from the cursor theme
// (XCURSOR_THEME, XCURSOR_SIZE), else wayland-cursor's own. None where neither has one.
static void showCursor(wl_pointer* thePointer, uint32_t serial)
{
    if (shm == nullptr || compositor == nullptr)
        return;
    if (cursorTheme == nullptr || cursorThemeScale != bufferScale) {
        if (cursorTheme != nullptr)
            wl_cursor_theme_destroy(cursorTheme);
        const char* sizeText = getenv("XCURSOR_SIZE");
        int size = sizeText != nullptr ? atoi(sizeText) : 0;
        size = size > 0 && size <= 256 ? size : kCursorSize;
        cursorTheme = wl_cursor_theme_load(getenv("XCURSOR_THEME"), size * bufferScale, shm);
        cursorThemeScale = bufferScale;
    }
    wl_cursor* cursor = cursorTheme != nullptr ? wl_cursor_theme_get_cursor(cursorTheme, "left_ptr") : nullptr;
    if (cursor == nullptr || cursor->image_count == 0)
        return;
    wl_cursor_image* image = cursor->images[0];
    wl_buffer* buffer = wl_cursor_image_get_buffer(image);
    if (buffer == nullptr)
        return;
    if (cursorSurface == nullptr)
        cursorSurface = wl_compositor_create_surface(compositor);
    wl_surface_set_buffer_scale(cursorSurface, bufferScale);
    wl_surface_attach(cursorSurface, buffer, 0, 0);
    wl_surface_damage(cursorSurface, 0, 0, INT32_MAX, INT32_MAX);
    wl_surface_commit(cursorSurface);
    wl_pointer_set_cursor(thePointer, serial, cursorSurface, (int32_t)image->hotspot_x / bufferScale,
                          (int32_t)image->hotspot_y / bufferScale);
}

static void pointerEnter(void*, wl_pointer* thePointer, uint32_t serial, wl_surface* entered, wl_fixed_t x, wl_fixed_t)
{
    buttonsHeld = 0;
    pointerInside = entered == content;
    if (pointerInside) {
        showCursor(thePointer, serial);
        movePointer(x);
    }
}

static void pointerLeave(void*, wl_pointer*, uint32_t, wl_surface*)
{
    pointerInside = false;
}

static void pointerMotion(void*, wl_pointer*, uint32_t, wl_fixed_t x, wl_fixed_t)
{
    if (pointerInside)
        movePointer(x);
}

static void pointerButton(void*, wl_pointer*, uint32_t, uint32_t, uint32_t, uint32_t state)
{
    if (!pointerInside)
        return;
    buttonsHeld = std::max(0, buttonsHeld + (state == WL_POINTER_BUTTON_STATE_PRESSED ? 1 : -1));
}

static void pointerAxis(void*, wl_pointer*, uint32_t, uint32_t, wl_fixed_t) {}
static void pointerFrame(void*, wl_pointer*) {}
static void pointerAxisSource(void*, wl_pointer*, uint32_t) {}
static void pointerAxisStop(void*, wl_pointer*, uint32_t, uint32_t) {}
static void pointerAxisDiscrete(void*, wl_pointer*, uint32_t, int32_t) {}

static const wl_pointer_listener kPointerListener = [] {
    wl_pointer_listener listener{};
    listener.enter = pointerEnter;
    listener.leave = pointerLeave;
    listener.motion = pointerMotion;
    listener.button = pointerButton;
    listener.axis = pointerAxis;
    listener.frame = pointerFrame;
    listener.axis_source = pointerAxisSource;
    listener.axis_stop = pointerAxisStop;
    listener.axis_discrete = pointerAxisDiscrete;
    return listener;
}();

static void seatCapabilities(void*, wl_seat* theSeat, uint32_t capabilities)
{
    bool keys = (capabilities & WL_SEAT_CAPABILITY_KEYBOARD) != 0;
    bool moves = (capabilities & WL_SEAT_CAPABILITY_POINTER) != 0;
    if (keys && keyboard == nullptr) {
        keyboard = wl_seat_get_keyboard(theSeat);
        wl_keyboard_add_listener(keyboard, &kKeyboardListener, nullptr);
    } else if (!keys && keyboard != nullptr) {
        wl_keyboard_destroy(keyboard);
        keyboard = nullptr;
        heldKey = 0;
    }
    if (moves && pointer == nullptr) {
        pointer = wl_seat_get_pointer(theSeat);
        wl_pointer_add_listener(pointer, &kPointerListener, nullptr);
    } else if (!moves && pointer != nullptr) {
        wl_pointer_destroy(pointer);
        pointer = nullptr;
    }
}

static void seatName(void*, wl_seat*, const char*) {}
static const wl_seat_listener kSeatListener = [] {
    wl_seat_listener listener{};
    listener.capabilities = seatCapabilities;
    listener.name = seatName;
    return listener;
}();

void followWaylandSeat(wl_seat* seat, void (*inputHook)(FlightAction action, int a, int b))
{
    input = inputHook;
    if (xkbContext == nullptr)
        xkbContext = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    wl_seat_add_listener(seat, &kSeatListener, nullptr);
}

void useWaylandCursor(wl_compositor* theCompositor, wl_shm* theShm)
{
    compositor = theCompositor;
    shm = theShm;
}

void setWaylandContent(wl_surface* surface, int scale)
{
    content = surface;
    bufferScale = scale;
}

long long nextKeyRepeatNs()
{
    return heldKey != 0 && repeatRate > 0 ? nextRepeatNs : -1;
}

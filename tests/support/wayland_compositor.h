// wayland_compositor.h -- a private weston for one test, with a time-out
#pragma once

#include <string>

// weston in a private XDG_RUNTIME_DIR, listening on the socket "wl-test", with no panel: headless (an output of
// width x height pixels at scale, no seat), or with onX as a window of that size on the test's X server
// (testDisplay), whose keyboard and pointer xdotool drives. It ends with the object, or after
// kCompositorLifeSeconds whatever happens to the test.
inline constexpr int kCompositorLifeSeconds = 180;

class Compositor {
public:
    Compositor(int width, int height, bool onX = false, int scale = 1);
    ~Compositor();
    Compositor(const Compositor&) = delete;
    Compositor& operator=(const Compositor&) = delete;
    // True once its socket is there (within 20 s).
    bool ready() const { return ready_; }
    // NAME=VALUE settings that send a program to it: XDG_RUNTIME_DIR and WAYLAND_DISPLAY.
    std::string environment() const;
    const std::string& runtimeDir() const { return runtimeDir_; }

private:
    int pid_ = -1;
    bool ready_ = false;
    std::string runtimeDir_;
};

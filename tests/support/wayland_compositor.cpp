// wayland_compositor.cpp -- a private weston for one test, with a time-out
#include "support/wayland_compositor.h"

#include "support/e2e.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

Compositor::Compositor(int width, int height, bool onX, int scale)
{
    char folder[] = "/tmp/brinewings-wayland.XXXXXX";  // mkdtemp makes it 0700, as a runtime folder must be
    if (mkdtemp(folder) == nullptr)
        return;
    runtimeDir_ = folder;
    if (onX)
        testDisplay();
    std::string size = "--width=" + std::to_string(width), other = "--height=" + std::to_string(height);
    std::string scaling = "--scale=" + std::to_string(scale);
    std::string backend = onX ? "--backend=x11-backend.so" : "--backend=headless-backend.so";
    std::string log = runtimeDir_ + "/weston.log";
    // No panel: a window is placed anywhere on the output, its title bar in sight.
    std::string config = runtimeDir_ + "/weston.ini";
    shell("printf '[shell]\\npanel-position=none\\n' > '" + config + "'");
    std::string configOption = "--config=" + config;
    pid_ = fork();
    if (pid_ == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        setenv("XDG_RUNTIME_DIR", folder, 1);
        unsetenv("WAYLAND_DISPLAY");
        int out = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(out, 1);
        dup2(out, 2);
        std::string life = std::to_string(kCompositorLifeSeconds);
        execlp("timeout", "timeout", life.c_str(), "weston", backend.c_str(), "--socket=wl-test", size.c_str(),
               other.c_str(), scaling.c_str(), configOption.c_str(), "--idle-time=0", (char*)nullptr);
        _exit(127);
    }
    std::string socket = runtimeDir_ + "/wl-test";
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    struct stat info;
    while (!ready_ && std::chrono::steady_clock::now() < deadline && waitpid(pid_, nullptr, WNOHANG) == 0) {
        ready_ = stat(socket.c_str(), &info) == 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

Compositor::~Compositor()
{
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    if (!runtimeDir_.empty())
        shell("rm -rf '" + runtimeDir_ + "'");
}

std::string Compositor::environment() const
{
    return "XDG_RUNTIME_DIR=" + runtimeDir_ + " WAYLAND_DISPLAY=wl-test";
}

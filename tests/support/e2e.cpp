// e2e.cpp -- runs the real brinewings binary on the test's X server and drives it like a user
#include "support/e2e.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <thread>

// Windows come and go while the test looks at them (a window manager reparents and frames
// them): a request about a window that is gone fails, and the caller sees the failure in the
// call's result instead of Xlib's default handler ending the test process.
static int ignoreXError(Display*, XErrorEvent*)
{
    return 0;
}

std::string testDisplay(const char* screen)
{
    static std::string display;
    if (!display.empty())
        return display;
    // Xvfb names its display on descriptor 3 once it accepts connections; it ends with this
    // process, even when a time-out kills the process.
    int fds[2];
    if (pipe(fds) != 0)
        throw std::runtime_error("pipe failed");
    static pid_t xvfb = fork();
    if (xvfb == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        dup2(fds[1], 3);
        dup2(open("/dev/null", O_WRONLY), 2);
        execlp("Xvfb", "Xvfb", "-displayfd", "3", "-screen", "0", screen, "-nolisten", "tcp", "-noreset",
               "+extension", "GLX", (char*)nullptr);
        _exit(127);
    }
    close(fds[1]);
    char number[32] = {};
    ssize_t n = read(fds[0], number, sizeof number - 1);
    close(fds[0]);
    if (n <= 0)
        throw std::runtime_error("Xvfb did not start");
    atexit([] { kill(xvfb, SIGTERM); waitpid(xvfb, nullptr, 0); });
    display = ":" + std::string(number, strcspn(number, "\n"));
    setenv("DISPLAY", display.c_str(), 1);
    return display;
}

static Display* xDisplay()
{
    testDisplay();
    static Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        throw std::runtime_error("no X display");
    XSetErrorHandler(ignoreXError);
    return display;
}

std::string shell(const std::string& command)
{
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return out;
    char buffer[512];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    pclose(pipe);
    return out;
}

// ---- data folder ----

std::vector<std::string> DataFolder::allDataFiles()
{
    return {"cessna.txt", "propeller.txt", "sea02.jpg", "sky08.jpg"};
}

DataFolder::DataFolder(const std::vector<std::string>& files)
{
    char templ[] = "/tmp/brinewings-data.XXXXXX";
    path = mkdtemp(templ);
    for (const std::string& name : files) {
        std::ifstream in(std::string(BRINEWINGS_DATA_DIR) + "/" + name, std::ios::binary);
        std::ofstream out(path + "/" + name, std::ios::binary);
        out << in.rdbuf();
    }
}

DataFolder::~DataFolder()
{
    shell("rm -rf '" + path + "'");
}

void DataFolder::write(const std::string& name, const std::string& bytes) const
{
    std::ofstream out(path + "/" + name, std::ios::binary | std::ios::trunc);
    out << bytes;
}

void DataFolder::remove(const std::string& name) const
{
    std::remove((path + "/" + name).c_str());
}

// ---- screenshots ----

double Screenshot::differenceTo(const Screenshot& other) const
{
    if (other.width != width || other.height != height || rgb.empty())
        return 255.0;
    double sum = 0.0;
    for (size_t i = 0; i < rgb.size(); i++)
        sum += std::abs((int)rgb[i] - (int)other.rgb[i]);
    return sum / (double)rgb.size();
}

void Screenshot::savePpm(const std::string& file) const
{
    std::ofstream out(file, std::ios::binary);
    out << "P6\n" << width << " " << height << "\n255\n";
    out.write((const char*)rgb.data(), (std::streamsize)rgb.size());
}

// ---- the program ----

static const char* const kLastControlsLine = "Q\t\tQuit\n";

Program::Program(const std::string& workingDir, const std::vector<std::string>& args,
                 const std::string& executable)
{
    testDisplay();
    int fds[2];
    if (pipe(fds) != 0)
        throw std::runtime_error("pipe failed");
    pid_ = fork();
    if (pid_ == 0) {
        dup2(fds[1], 1);
        close(fds[0]);
        close(fds[1]);
        if (chdir(workingDir.c_str()) != 0)
            _exit(127);
        std::vector<char*> argv;
        argv.push_back((char*)executable.c_str());
        for (const std::string& a : args)
            argv.push_back((char*)a.c_str());
        argv.push_back(nullptr);
        execv(executable.c_str(), argv.data());
        _exit(127);
    }
    close(fds[1]);
    outFd_ = fds[0];
    fcntl(outFd_, F_SETFL, O_NONBLOCK);
}

Program::~Program()
{
    if (running()) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (outFd_ >= 0)
        close(outFd_);
}

void Program::drainOutput()
{
    char buffer[4096];
    ssize_t n;
    while ((n = read(outFd_, buffer, sizeof buffer)) > 0)
        output_.append(buffer, (size_t)n);
}

const std::string& Program::output()
{
    drainOutput();
    return output_;
}

bool Program::running()
{
    if (status_ != -2)
        return false;
    int status = 0;
    pid_t r = waitpid(pid_, &status, WNOHANG);
    if (r == 0)
        return true;
    status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    drainOutput();
    return false;
}

bool Program::waitForExit(double seconds)
{
    auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (running()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        drainOutput();
        pause(0.02);
    }
    return true;
}

static Window findWindow(Display* display, Window parent, const char* title)
{
    char* name = nullptr;
    if (XFetchName(display, parent, &name) && name != nullptr) {
        bool match = std::strcmp(name, title) == 0;
        XFree(name);
        if (match)
            return parent;
    }
    Window root, up, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, parent, &root, &up, &children, &count))
        return 0;
    Window found = 0;
    for (unsigned int i = 0; i < count && found == 0; i++)
        found = findWindow(display, children[i], title);
    if (children != nullptr)
        XFree(children);
    return found;
}

bool Program::waitForWindow(double seconds)
{
    Display* display = xDisplay();
    auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < end && running()) {
        // The window is mapped early in start-up; the controls summary is printed at its end,
        // just before the event loop draws the first frame.
        Window w = output().find(kLastControlsLine) == std::string::npos
                       ? 0 : findWindow(display, DefaultRootWindow(display), "brinewings");
        XWindowAttributes attributes;
        if (w != 0 && XGetWindowAttributes(display, w, &attributes) != 0) {
            if (attributes.map_state == IsViewable) {
                window_ = w;
                // Without a window manager the window lands at (-1, -1), partly off the
                // screen, where the X server cannot read it back. Move it fully on screen.
                Window child;
                int x = 0, y = 0;
                XTranslateCoordinates(display, w, DefaultRootWindow(display), 0, 0, &x, &y, &child);
                if (x < 0 || y < 0)
                    shell("xdotool windowmove --sync " + std::to_string(w) + " 0 0 2>&1");
                return true;
            }
        }
        pause(0.05);
    }
    return false;
}

void Program::key(const std::string& keysym, int times)
{
    std::string id = std::to_string(window_);
    shell("xdotool windowfocus --sync " + id + " key --repeat " + std::to_string(times) +
          " --delay 5 " + keysym + " 2>&1");
}

void Program::movePointer(int x, int y)
{
    std::string id = std::to_string(window_);
    shell("xdotool mousemove --sync --window " + id + " " + std::to_string(x) + " " +
          std::to_string(y) + " 2>&1");
}

void Program::size(int& width, int& height)
{
    XWindowAttributes attributes = {};
    XGetWindowAttributes(xDisplay(), window_, &attributes);
    width = attributes.width;
    height = attributes.height;
}

std::string Program::title()
{
    char* name = nullptr;
    std::string result;
    if (XFetchName(xDisplay(), window_, &name) && name != nullptr) {
        result = name;
        XFree(name);
    }
    return result;
}

Screenshot Program::screenshot()
{
    Display* display = xDisplay();
    Screenshot shot;
    int width = 0, height = 0;
    size(width, height);
    XImage* image = XGetImage(display, window_, 0, 0, (unsigned)width, (unsigned)height, AllPlanes, ZPixmap);
    if (image == nullptr)
        return shot;
    shot.width = width;
    shot.height = height;
    shot.rgb.resize((size_t)width * (size_t)height * 3);
    for (int y = 0; y < height; y++) {
        for (int x = 0; x < width; x++) {
            unsigned long p = XGetPixel(image, x, y);
            size_t at = ((size_t)y * (size_t)width + (size_t)x) * 3;
            shot.rgb[at + 0] = (unsigned char)((p & image->red_mask) >> 16);
            shot.rgb[at + 1] = (unsigned char)((p & image->green_mask) >> 8);
            shot.rgb[at + 2] = (unsigned char)(p & image->blue_mask);
        }
    }
    XDestroyImage(image);
    return shot;
}

void Program::pause(double seconds)
{
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

int Program::cpuTicksMinimised(double seconds)
{
    std::string id = std::to_string(window_);
    std::string cpu = "awk '{print $14 + $15}' /proc/" + std::to_string(pid_) + "/stat";
    shell("xdotool windowminimize " + id);
    pause(0.5);
    int before = std::stoi(shell(cpu));
    pause(seconds);
    int used = std::stoi(shell(cpu)) - before;
    shell("xdotool windowactivate " + id);
    pause(0.5);
    return used;
}

// ---- window manager ----

WindowManager::WindowManager(const std::string& configFile, const std::string& program)
{
    testDisplay();
    pid_ = fork();
    if (pid_ == 0) {
        if (program != "openbox")
            execl(program.c_str(), program.c_str(), (char*)nullptr);
        else if (configFile.empty())
            execlp("openbox", "openbox", "--sm-disable", (char*)nullptr);
        else
            execlp("openbox", "openbox", "--sm-disable", "--config-file", configFile.c_str(), (char*)nullptr);
        _exit(127);
    }
    // Ready once it manages a window, not only once it has claimed the screen: a first run
    // loads its fonts and theme in between. A small probe window must be taken on (WM_STATE);
    // it is mapped again each second, as a map before or during the manager's start-up is lost.
    Display* display = xDisplay();
    Window probe = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 8, 8, 0, 0, 0);
    Atom state = XInternAtom(display, "WM_STATE", False);
    for (int i = 0; i < 400 && !ready_; i++) {
        if (i % 20 == 0) {
            XUnmapWindow(display, probe);
            XMapWindow(display, probe);
            XSync(display, False);
        }
        Program::pause(0.05);
        int count = 0;
        Atom* properties = XListProperties(display, probe, &count);
        ready_ = std::find(properties, properties + count, state) != properties + count;
        XFree(properties);
    }
    XDestroyWindow(display, probe);
    XSync(display, False);
}

WindowManager::~WindowManager()
{
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
}

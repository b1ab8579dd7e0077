// e2e.h -- runs the real brinewings binary on a private X server and drives it like a user
#pragma once

#include <string>
#include <vector>

// A folder under /tmp that holds copies of the program's data files (all four, or those
// named), removed when the object goes away. Tests may overwrite or delete files in it.
struct DataFolder {
    std::string path;
    explicit DataFolder(const std::vector<std::string>& files = allDataFiles());
    ~DataFolder();
    DataFolder(const DataFolder&) = delete;
    DataFolder& operator=(const DataFolder&) = delete;
    void write(const std::string& name, const std::string& bytes) const;
    void remove(const std::string& name) const;
    static std::vector<std::string> allDataFiles();
};

// An RGB screenshot of one window, rows from the top.
struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
    // Colour at (x, y) from the top-left corner: r, g, b in 0..255.
    int r(int x, int y) const { return rgb[(size_t)(y * width + x) * 3 + 0]; }
    int g(int x, int y) const { return rgb[(size_t)(y * width + x) * 3 + 1]; }
    int b(int x, int y) const { return rgb[(size_t)(y * width + x) * 3 + 2]; }
    // Mean absolute difference per channel against another screenshot of the same size.
    double differenceTo(const Screenshot& other) const;
    // Writes a binary PPM, for looking at a failing test's view.
    void savePpm(const std::string& file) const;
};

// The program, started in a data folder with its standard output captured.
class Program {
public:
    explicit Program(const std::string& workingDir, const std::vector<std::string>& args = {},
                     const std::string& executable = BRINEWINGS_BINARY);
    ~Program();  // kills the process if it still runs
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Waits for the top-level window titled "brinewings" to be mapped and for start-up to
    // end (the controls summary printed); returns false on timeout. The flight is already
    // under way then: steer at once to stay near the origin.
    bool waitForWindow(double seconds = 20.0);
    unsigned long window() const { return window_; }
    int pid() const { return pid_; }

    // Waits for the process to end; returns false on timeout. Then exitStatus() and
    // output() are valid. exitStatus() is -1 when it ended by a signal.
    bool waitForExit(double seconds = 10.0);
    int exitStatus() const { return status_; }
    bool running();
    // Everything the program has written to standard output so far.
    const std::string& output();

    // Real input through the XTEST extension: a key by its X keysym name ("s", "Page_Up",
    // "Up"), the pointer moved to window pixel (x, y).
    void key(const std::string& keysym, int times = 1);
    void movePointer(int x, int y);

    Screenshot screenshot();
    // Window size as the X server reports it.
    void size(int& width, int& height);
    std::string title();

    // Lets the program draw a few frames after an input.
    static void pause(double seconds);
    // Minimises the window, counts the CPU clock ticks (1/100 s) the process takes in seconds
    // once it has settled, and shows the window again.
    int cpuTicksMinimised(double seconds);

private:
    void drainOutput();
    int pid_ = -1;
    int outFd_ = -1;
    int status_ = -2;
    unsigned long window_ = 0;
    std::string output_;
};

// The test's X server, started on first use: a private Xvfb with a screen of the size given
// (WxHxDEPTH) that ends with the test process. Sets DISPLAY; returns its value.
std::string testDisplay(const char* screen = "1920x1920x24");

// Runs a shell command and returns its standard output (for xdotool and friends).
std::string shell(const std::string& command);

// A small EWMH window manager (openbox) on the test's X server, for as long as the object
// lives. A bare X server honours no full-screen request; a window manager does, as the
// user's desktop would. Start it before the program, so it manages the program's window.
// configFile: an openbox rc.xml to use instead of the user's. program: another manager to
// start instead of openbox, such as BRINEWINGS_FRAMING_WM (frame sides 3, 7, 19, 5).
class WindowManager {
public:
    explicit WindowManager(const std::string& configFile = "", const std::string& program = "openbox");
    ~WindowManager();
    WindowManager(const WindowManager&) = delete;
    WindowManager& operator=(const WindowManager&) = delete;
    // True once it has taken on a window of its own (within 20 s).
    bool ready() const { return ready_; }

private:
    int pid_ = -1;
    bool ready_ = false;
};

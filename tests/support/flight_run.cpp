// flight_run.cpp -- runs the real binary on a flight file and reads back the frames it captured
#include "support/flight_run.h"

#include <stb_image.h>

#include <fstream>
#include <iterator>

std::string readFile(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

Screenshot readPng(const std::string& file)
{
    Screenshot shot;
    unsigned char* pixels = stbi_load(file.c_str(), &shot.width, &shot.height, nullptr, 3);
    if (pixels != nullptr)
        shot.rgb.assign(pixels, pixels + (size_t)shot.width * (size_t)shot.height * 3);
    stbi_image_free(pixels);
    return shot;
}

FlightRun flyFlight(const DataFolder& data, const std::string& flight, const std::vector<int>& ticks,
                    const std::string& extraArguments, const std::string& environment)
{
    data.write("test.flight", flight);
    // Off-screen, or sent to a Wayland compositor, the program runs with no X server.
    bool noX = extraArguments.find("--offscreen") != std::string::npos ||
               environment.find("WAYLAND_DISPLAY=") != std::string::npos;
    std::string unset = noX ? "-u DISPLAY " : "";
    if (unset.empty())
        testDisplay();  // a window needs the X server
    std::string command = "cd '" + data.path + "' && env " + unset + environment + " timeout 120 '" BRINEWINGS_BINARY
                          "' --replay test.flight";
    for (int tick : ticks)
        command += " --screenshot " + std::to_string(tick) + ":shot" + std::to_string(tick) + ".png";
    command += " " + extraArguments + " >out.txt 2>err.txt; echo $?";
    FlightRun run;
    std::string status = shell(command);
    run.status = status == "124\n" ? -1 : std::stoi(status);
    run.out = readFile(data.path + "/out.txt");
    run.err = readFile(data.path + "/err.txt");
    for (int tick : ticks)
        run.shots.push_back(readPng(data.path + "/shot" + std::to_string(tick) + ".png"));
    return run;
}

// gl_context.cpp -- entry point of the OpenGL tests: the program's off-screen EGL context,
// with no X server
#include "platform/platform.h"

#include <gtest/gtest.h>

#include <cstring>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    // Listing the tests needs no context; CTest lists them before it runs them.
    for (int i = 1; i < argc; i++)
        if (std::strcmp(argv[i], "--gtest_list_tests") == 0)
            return RUN_ALL_TESTS();
    SurfaceRequest request;
    request.width = 1200;
    request.height = 1200;
    const PlatformHooks hooks = {[](FlightAction, int, int) {}, [](int, int) {}, [] {}};
    return offscreenPlatform().open(request, hooks) ? RUN_ALL_TESTS() : 1;
}

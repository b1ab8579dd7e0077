// outputs_windows_test.cpp -- a named pipe as an output on Windows (Windows only)
#include "os/os.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cerrno>
#include <string>

// One whose one instance is taken is waited for, but not for ever; one with no server is missing.
TEST(Outputs, ABusyNamedPipeIsWaitedForWithABoundAndOneWithNoServerFailsAtOnce)
{
    std::string pipe = "\\\\.\\pipe\\brinewings-test-" + std::to_string(GetCurrentProcessId());
    HANDLE server = CreateNamedPipeA(pipe.c_str(), PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE, 1, 0, 4096, 0, nullptr);
    ASSERT_NE(server, INVALID_HANDLE_VALUE);
    int first = -1, second = -1;
    ASSERT_EQ(osOpenForWriting(pipe.c_str(), false, 0, &first), 0);
    long long start = osMonotonicNs();
    EXPECT_EQ(osOpenForWriting(pipe.c_str(), false, 300000000LL, &second), ENXIO);
    long long waited = osMonotonicNs() - start;
    EXPECT_TRUE(waited >= 300000000LL && waited < 5000000000LL) << waited;
    EXPECT_EQ(osClose(first), 0);
    CloseHandle(server);
    start = osMonotonicNs();
    EXPECT_EQ(osOpenForWriting(pipe.c_str(), false, 300000000LL, &second), ENOENT);
    EXPECT_LT(osMonotonicNs() - start, 200000000LL);
}

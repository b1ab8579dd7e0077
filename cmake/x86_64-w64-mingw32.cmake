# x86_64-w64-mingw32.cmake -- cross-builds for 64-bit Windows with Debian's mingw-w64 compiler
# (its posix-threads flavour, which has std::thread) and runs the results (data generators,
# tests) under Wine. Linked statically: the program needs no DLL but Windows' own.
# Libraries and headers come only from mingw-w64 and from build-windows/deps, which
# scripts/windows.sh fills (libjpeg-turbo built from Debian's source, GoogleTest, and links to
# Debian's header-only stb and nlohmann-json); nothing else of /usr/include is seen.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(BRINEWINGS_WINDOWS_DEPS ${CMAKE_CURRENT_LIST_DIR}/../build-windows/deps)
get_filename_component(BRINEWINGS_WINDOWS_DEPS ${BRINEWINGS_WINDOWS_DEPS} ABSOLUTE)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${BRINEWINGS_WINDOWS_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# The wrapper gives Wine the build's own prefix, quiet, without Mono or Gecko.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
set(ENV{PKG_CONFIG_LIBDIR} ${BRINEWINGS_WINDOWS_DEPS}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")

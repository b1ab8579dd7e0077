# arm-linux-gnueabihf.cmake -- cross-builds for 32-bit ARM (armhf) with Debian's cross toolchain
# and runs the results (tests, data generators) under qemu-user. Only the GL-free part is built
# this way: configure with -DBRINEWINGS_GL=OFF.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR arm)
set(CMAKE_C_COMPILER arm-linux-gnueabihf-gcc)
set(CMAKE_CXX_COMPILER arm-linux-gnueabihf-g++)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-arm;-L;/usr/arm-linux-gnueabihf)
# pkg-config reads only the armhf packages' files.
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/arm-linux-gnueabihf/pkgconfig:/usr/share/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")

# Cross-compiling for 64-bit ARM Linux (Debian's arm64, Raspberry Pi OS
# 64-bit) with Debian's multiarch cross toolchain (crossbuild-essential-arm64)
# and the :arm64 -dev packages installed beside the build machine's own.
# Headers are shared under /usr/include; libraries and pkg-config files are
# looked up in the aarch64-linux-gnu folders only. The programs and tests of
# the build run on the build machine through qemu-aarch64 (qemu-user),
# which CTest puts in front of them.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)

set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(CMAKE_C_COMPILER ${CMAKE_LIBRARY_ARCHITECTURE}-gcc)
set(CMAKE_CXX_COMPILER ${CMAKE_LIBRARY_ARCHITECTURE}-g++)
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/bin/qemu-aarch64)

set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/${CMAKE_LIBRARY_ARCHITECTURE}/pkgconfig:/usr/share/pkgconfig)

# Cross build for 64-bit Windows with Debian's mingw-w64 (the posix thread model: the
# win32 one has no std::mutex or std::thread). Used by scripts/build-windows.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Nothing to ship beside the executables: the C++ runtime and pthreads linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# printf with the C99 conversions (%zu, %lld) rather than the old runtime's, and the
# reentrant time functions (localtime_r).
set(CMAKE_CXX_FLAGS_INIT "-D__USE_MINGW_ANSI_STDIO=1 -D_POSIX_THREAD_SAFE_FUNCTIONS=200112L")
# Build-time tools and test discovery run the Windows programs under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
# Header-only packages of the build machine (nlohmann-json) are found there.
list(APPEND CMAKE_FIND_ROOT_PATH /usr)

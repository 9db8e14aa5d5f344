# Cross-building Quillmoor for 64-bit Windows with Debian's MinGW-w64 (posix threads), and
# running what was built under wine64, so that ctest runs the Windows tests on Linux.
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

# The programs carry the C++ runtime, libgcc and winpthreads inside: no DLL beside the .exe.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Test programs (and GoogleTest's discovery of their tests) run under wine64 in a prefix of
# the build's own, never the user's ~/.wine.
set(CMAKE_CROSSCOMPILING_EMULATOR
    "${CMAKE_CURRENT_LIST_DIR}/run-under-wine;${CMAKE_BINARY_DIR}/wineprefix")

# Release at -O2, as the Linux builds: GCC 12's -O3 warns falsely that a std::optional holding
# a std::string may be used uninitialized.
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "Flags of the Release build")

# Cross-compiles for 64-bit Windows with mingw-w64 (Debian: g++-mingw-w64-x86-64).
# The programs are linked statically, so the .exe needs no DLL beyond the
# system's own, and they run on Linux under Wine (Debian: wine64), which is
# how ctest and test discovery start them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# The compilers with the POSIX thread model: GoogleTest needs std::mutex,
# which the win32 thread model of GCC 12 lacks. The game itself has one thread.
set(BRAMBLE_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${BRAMBLE_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BRAMBLE_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${BRAMBLE_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${BRAMBLE_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C and C++ runtimes (libgcc, libstdc++, winpthread) go into the .exe.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# ctest and test discovery start the Windows programs through Wine, by way
# of a wrapper that keeps one Wine server alive across the tests.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)

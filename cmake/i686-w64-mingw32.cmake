# Cross-compiling for 32-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-i686-posix: the posix
# thread flavour, which has std::thread). Everything is linked statically, so the programs need
# no DLL beyond Windows' own.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(PETSIM_MINGW_PREFIX i686-w64-mingw32)
set(CMAKE_C_COMPILER ${PETSIM_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PETSIM_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${PETSIM_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${PETSIM_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Doubles in SSE2 registers, as on every other build: the x87 unit's 80-bit intermediates would
# round some results (the growth of a record, for one) differently.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Programs built here run under Wine when CMake needs to run one.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)

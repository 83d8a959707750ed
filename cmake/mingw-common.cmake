# Shared by the MinGW-w64 toolchain files: compilers, resource compiler, search paths, and Wine
# to run the build's own tools and tests.
set(CMAKE_C_COMPILER ${VORLIN_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VORLIN_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VORLIN_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VORLIN_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Every executable carries libgcc, libstdc++ and winpthread inside: no DLL beyond Windows' own.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)

# Shared part of the mingw-w64 toolchain files; MINGW_TRIPLET is set by the caller.
# The win32 thread model: no winpthread library, whose imports (GetTickCount64,
# the vectored exception handlers) Windows 2000 cannot resolve. Threads, locks
# and events come from the platform layer instead.
set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc-win32)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-win32)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET} ${CMAKE_CURRENT_LIST_DIR}/../../build/deps/${MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# zlib from its static library: the import library would make the program
# need a zlib1.dll that Windows does not have.
set(ZLIB_USE_STATIC_LIBS ON)

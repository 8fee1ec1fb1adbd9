# Cross-build for 32-bit Windows with Debian's mingw-w64 win32 thread-model compilers: the
# shipped programs. Their runtime libraries use Windows' own threading calls and need no
# winpthread, whose GetTickCount64 Windows XP lacks.
set(MINGW_PROCESSOR i686)
set(MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# Cross-build for 32-bit Windows with Debian's mingw-w64. The -posix compilers carry
# std::mutex and std::thread, which GoogleTest needs; the win32 ones do not.
set(MINGW_PROCESSOR i686)
set(MINGW_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# JreSelect.exe and JreSelectCli.exe, which run one thread, are built with the win32 ones.
set(JRESELECT_PROGRAMS_TOOLCHAIN ${CMAKE_CURRENT_LIST_DIR}/mingw-i686-win32.cmake)

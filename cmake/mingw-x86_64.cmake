# Cross-build for 64-bit Windows with Debian's mingw-w64: the 64-bit test and development
# build. The -posix compilers carry std::mutex and std::thread, which GoogleTest needs.
set(MINGW_PROCESSOR x86_64)
set(MINGW_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

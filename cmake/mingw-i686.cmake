# Cross-compiling for 32-bit Windows (the shipped deliverables) with MinGW-w64.
# The posix thread model is used because GoogleTest needs std::mutex.
set(MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# Cross-compiling for 64-bit Windows with MinGW-w64: the same code as the shipped 32-bit build,
# for the test programs that run under 64-bit Wine.
set(MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

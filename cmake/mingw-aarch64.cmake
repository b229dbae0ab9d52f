# Cross-compiling for Windows on ARM64 with clang and the MinGW-w64 runtime (UCRT) and libc++ that
# tools/arm64-toolchain.sh makes under the build root: the x64 build's code for the native ARM64
# host. ARM64_TOOLCHAIN names that folder (default: BUILD_ROOT/arm64-toolchain).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ARM64)
set(MINGW_TRIPLE aarch64-w64-mingw32)
if(NOT ARM64_TOOLCHAIN)
  if(DEFINED ENV{ARM64_TOOLCHAIN})
    set(ARM64_TOOLCHAIN "$ENV{ARM64_TOOLCHAIN}")
  else()
    set(ARM64_TOOLCHAIN "$ENV{BUILD_ROOT}/arm64-toolchain")
  endif()
endif()
# try_compile projects see the same folder.
set(ENV{ARM64_TOOLCHAIN} "${ARM64_TOOLCHAIN}")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ARM64_TOOLCHAIN)

set(CMAKE_C_COMPILER "${ARM64_TOOLCHAIN}/bin/${MINGW_TRIPLE}-clang")
set(CMAKE_CXX_COMPILER "${ARM64_TOOLCHAIN}/bin/${MINGW_TRIPLE}-clang++")
set(CMAKE_RC_COMPILER "${ARM64_TOOLCHAIN}/bin/${MINGW_TRIPLE}-windres")
set(CMAKE_AR "${ARM64_TOOLCHAIN}/bin/${MINGW_TRIPLE}-ar" CACHE FILEPATH "")
set(CMAKE_RANLIB "${ARM64_TOOLCHAIN}/bin/${MINGW_TRIPLE}-ranlib" CACHE FILEPATH "")
set(CMAKE_FIND_ROOT_PATH "${ARM64_TOOLCHAIN}/${MINGW_TRIPLE}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

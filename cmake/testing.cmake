# Test helpers shared by every folder.
#
# tavimor_test(NAME SOURCES ... [LIBS ...] [GUI]) builds a GoogleTest program and registers it.
# Natively each test case is its own ctest entry. Under Wine a program is one entry (every Wine
# start costs time); GUI marks programs that open windows: they run one at a time on the Xvfb
# display that the test command provides. Without TAVIMOR_TESTS nothing is built.

if(CMAKE_CROSSCOMPILING)
  set(WINE_PREFIX "${CMAKE_BINARY_DIR}/wineprefix")
  string(TOLOWER "${CMAKE_SYSTEM_PROCESSOR}" processor)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    # 32-bit programs run under 32-bit Wine, in a 32-bit prefix.
    set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_SOURCE_DIR}/cmake/wine-run.sh;--win32;${WINE_PREFIX}")
  elseif(processor MATCHES "^(arm64|aarch64)$")
    # ARM64 programs run under arm64 Wine in the build root's arm64 chroot.
    set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_SOURCE_DIR}/cmake/wine-run.sh;--arm64;${WINE_PREFIX}")
  else()
    set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_SOURCE_DIR}/cmake/wine-run.sh;${WINE_PREFIX}")
  endif()
endif()

function(tavimor_test name)
  if(NOT TAVIMOR_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "GUI" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} tavimor_gtest_main)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 600 LABELS "wine")
    if(T_GUI)
      set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE LABELS "wine;gui")
    endif()
  else()
    include(GoogleTest)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS "native")
  endif()
endfunction()

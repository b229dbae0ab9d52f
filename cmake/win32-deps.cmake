# Windows builds: GoogleTest from Debian's googletest sources, Hunspell and MyThes compiled
# from Debian's source packages (fetched by tools/setup.sh into DEPS_DIR) as static libraries.
set(HUNSPELL_SRC "${DEPS_DIR}/src/hunspell-1.7.1/src/hunspell")
set(MYTHES_SRC "${DEPS_DIR}/src/mythes-1.2.5")
if(NOT EXISTS "${HUNSPELL_SRC}/hunspell.cxx" OR NOT EXISTS "${MYTHES_SRC}/mythes.cxx")
  message(FATAL_ERROR "Hunspell/MyThes sources missing in ${DEPS_DIR}/src: run tools/setup.sh")
endif()

file(GLOB HUNSPELL_SOURCES "${HUNSPELL_SRC}/*.cxx")
add_library(hunspell_lib STATIC ${HUNSPELL_SOURCES})
target_compile_definitions(hunspell_lib PUBLIC HUNSPELL_STATIC)
target_include_directories(hunspell_lib SYSTEM PUBLIC "${HUNSPELL_SRC}")
target_compile_options(hunspell_lib PRIVATE -w)

add_library(mythes_lib STATIC "${MYTHES_SRC}/mythes.cxx")
target_include_directories(mythes_lib SYSTEM PUBLIC "${MYTHES_SRC}")
target_compile_options(mythes_lib PRIVATE -w)

if(TAVIMOR_TESTS)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
  target_compile_options(gtest PRIVATE -w)
  target_compile_options(gtest_main PRIVATE -w)
  add_library(tavimor_gtest_main INTERFACE)
  target_link_libraries(tavimor_gtest_main INTERFACE gtest_main gtest)
endif()

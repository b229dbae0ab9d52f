# Native build: Debian's GoogleTest, Hunspell and MyThes.
find_package(GTest REQUIRED)
add_library(tavimor_gtest_main INTERFACE)
target_link_libraries(tavimor_gtest_main INTERFACE GTest::gtest_main GTest::gtest)

find_package(PkgConfig REQUIRED)
pkg_check_modules(HUNSPELL REQUIRED IMPORTED_TARGET hunspell)
pkg_check_modules(MYTHES REQUIRED IMPORTED_TARGET mythes)
add_library(hunspell_lib INTERFACE)
target_link_libraries(hunspell_lib INTERFACE PkgConfig::HUNSPELL)
add_library(mythes_lib INTERFACE)
target_link_libraries(mythes_lib INTERFACE PkgConfig::MYTHES)

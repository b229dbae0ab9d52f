# Language services: first use (dictionary and thesaurus load) and a spell-check walk, against
# the hunspell command-line tool on the same words.
add_executable(language_bench ${CMAKE_CURRENT_LIST_DIR}/language_bench.cpp)
target_link_libraries(language_bench PRIVATE language)
# The other languages' files come from the packages tools/setup.sh unpacks under the build root.
target_compile_definitions(language_bench PRIVATE
  UNPACKED_DICTIONARIES="${CMAKE_SOURCE_DIR}/build/deps/dictionaries/usr/share")

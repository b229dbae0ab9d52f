# script_bench: cost per entry of an install run as the action list grows.
add_executable(script_bench ${CMAKE_CURRENT_LIST_DIR}/script_bench.cpp)
target_link_libraries(script_bench PRIVATE install_script)

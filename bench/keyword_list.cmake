# keyword_list_bench: the keyword-list import and export and a large tools menu, natively
# (bench/keyword_list.sh runs the same program under Wine).
add_executable(keyword_list_bench ${CMAKE_CURRENT_LIST_DIR}/keyword_list_bench.cpp)
target_link_libraries(keyword_list_bench PRIVATE keyword_library plugin_ui_core)

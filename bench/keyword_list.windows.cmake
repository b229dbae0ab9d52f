# keyword_list_bench under Wine (bench/keyword_list.sh): the keyword-list import and export and a
# large tools menu made into a real menu.
if(TARGET plugin_ui)
  add_executable(keyword_list_bench ${CMAKE_CURRENT_LIST_DIR}/keyword_list_bench.cpp)
  target_link_libraries(keyword_list_bench PRIVATE keyword_library plugin_ui)
endif()

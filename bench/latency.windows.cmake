# latency_bench: "Do It" to the editor on screen and a right click to its word menu on screen,
# with the real module and the stand-in host, next to the same dialog run by a procedure that
# does nothing else (bench/latency.sh).
if(TARGET plugin_loader AND TARGET editor_steps)
  add_executable(latency_bench ${CMAKE_CURRENT_LIST_DIR}/latency_bench.cpp)
  target_link_libraries(latency_bench PRIVATE plugin_loader editor_steps user32 gdi32)
  if(TARGET Tavimor)
    add_dependencies(latency_bench Tavimor)
  endif()
endif()

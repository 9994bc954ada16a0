# Map redraw of the flight window: build/bench/bench_updatemap (measure in a Release build).
if(TARGET tvflight_ui AND TARGET tvdemo)
    add_executable(bench_updatemap ${CMAKE_CURRENT_LIST_DIR}/UpdateMapBench.cpp)
    target_link_libraries(bench_updatemap PRIVATE tvflight_ui tvdemo tvschema benchmark::benchmark)
endif()

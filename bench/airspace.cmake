# The airspace layer's redraw over a large airspace file: build/bench/bench_airspaces.
add_executable(bench_airspaces ${CMAKE_CURRENT_LIST_DIR}/AirspaceBench.cpp)
target_link_libraries(bench_airspaces PRIVATE tvairspace tvschema benchmark::benchmark Qt6::Gui)

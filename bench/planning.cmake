# Plan map redraw, measuring and the waypoint list: build/bench/bench_planmap.
if(TARGET tvplanning)
    add_executable(bench_planmap ${CMAKE_CURRENT_LIST_DIR}/PlanMapBench.cpp)
    target_link_libraries(bench_planmap PRIVATE tvplanning tvforms tvschema benchmark::benchmark)
endif()

# Route choice in the flight-plan window, 500 points with a saved plan:
# build/bench/bench_flightplan (measure in a Release build).
if(TARGET tvflightplan_ui AND TARGET tvschema)
    add_executable(bench_flightplan ${CMAKE_CURRENT_LIST_DIR}/FlightPlanBench.cpp)
    target_link_libraries(bench_flightplan PRIVATE
        tvflightplan_ui tvcore_ui tvschema benchmark::benchmark Qt6::Widgets)
endif()

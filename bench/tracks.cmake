# GPX export of a long track: build/bench/bench_gpxexport (measure in a Release build).
if(TARGET tvtracks)
    add_executable(bench_gpxexport ${CMAKE_CURRENT_LIST_DIR}/GpxExportBench.cpp)
    target_link_libraries(bench_gpxexport PRIVATE tvtracks tvschema benchmark::benchmark)
    set_target_properties(bench_gpxexport PROPERTIES AUTOMOC OFF)
endif()

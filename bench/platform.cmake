# Recordset open and Find over a large waypoint list: build/bench/bench_recordset
# (measure in a Release build).
add_executable(bench_recordset ${CMAKE_CURRENT_SOURCE_DIR}/RecordsetBench.cpp)
target_link_libraries(bench_recordset PRIVATE tvplatform benchmark::benchmark_main)
set_target_properties(bench_recordset PROPERTIES AUTOMOC OFF)

# Sentence interpreter throughput: build/bench/bench_parse (measure in a Release build).
add_executable(bench_parse ${CMAKE_CURRENT_SOURCE_DIR}/ParseBench.cpp)
target_link_libraries(bench_parse PRIVATE tvgps benchmark::benchmark_main)

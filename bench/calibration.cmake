# Image size from the header of a large chart: build/bench/bench_imageheader
# (measure in a Release build).
add_executable(bench_imageheader ${CMAKE_CURRENT_SOURCE_DIR}/ImageHeaderSizeBench.cpp)
target_link_libraries(bench_imageheader PRIVATE tvcalibration benchmark::benchmark_main)
set_target_properties(bench_imageheader PROPERTIES AUTOMOC OFF)

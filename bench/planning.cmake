# Route file import and airport import: build/bench/bench_import (measure in a Release build).
add_executable(bench_import ${CMAKE_CURRENT_LIST_DIR}/ImportBench.cpp)
target_link_libraries(bench_import PRIVATE tvplanning tvschema benchmark::benchmark)
set_target_properties(bench_import PROPERTIES AUTOMOC OFF)

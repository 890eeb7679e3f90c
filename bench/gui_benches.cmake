set(CMAKE_AUTOMOC ON)
# The graph pages on the real QCustomPlot, offscreen: opening, redrawing and
# replotting big files, one live stroke, and the memory of full graphs.
add_executable(graph_bench graph_bench.cpp)
target_link_libraries(graph_bench PRIVATE app PkgConfig::HIDAPI benchmark::benchmark)
target_compile_definitions(graph_bench PRIVATE VRCGEN_PATH="$<TARGET_FILE:vrcgen>")
add_dependencies(graph_bench vrcgen)

# SPDX-License-Identifier: GPL-3.0-or-later
set(CMAKE_AUTOMOC ON)
add_library(app_bench_main STATIC app_bench_main.cpp)
target_link_libraries(app_bench_main PUBLIC app benchmark::benchmark)

# The graph pages on the real QCustomPlot, offscreen: opening, redrawing and
# replotting big files, one live stroke, and the memory of full graphs.
add_executable(graph_bench graph_bench.cpp)
target_link_libraries(graph_bench PRIVATE app_bench_main PkgConfig::HIDAPI)
target_compile_definitions(graph_bench PRIVATE VRCGEN_PATH="$<TARGET_FILE:vrcgen>")
target_include_directories(graph_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests)
add_dependencies(graph_bench vrcgen)

# A 20000-stroke live session through the real link and recorder over the
# simulated box: strokes on file and resident memory along the way.
add_executable(session_soak_bench session_soak_bench.cpp)
target_link_libraries(session_soak_bench PRIVATE app_bench_main app_test_support boxsim synthetic_record)
target_include_directories(session_soak_bench PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})

# The same 20000 strokes into the whole window, recorded and plotted live:
# resident memory every two seconds, strokes sent against strokes on file;
# and the window through a flood of 60000 garbage reports.
add_executable(window_soak_bench window_soak_bench.cpp)
target_link_libraries(window_soak_bench PRIVATE app_bench_main simulated_box_support synthetic_record)
target_include_directories(window_soak_bench PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})

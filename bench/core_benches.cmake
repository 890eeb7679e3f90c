# SPDX-License-Identifier: GPL-3.0-or-later
# Figures for reading, exporting, scanning and naming the stroke under the
# pointer; never asserted by tests.
veltrasko_bench(record_read_bench record_read_bench.cpp)
veltrasko_bench(export_bench export_bench.cpp)
veltrasko_bench(frame_scanner_bench frame_scanner_bench.cpp)
veltrasko_bench(huge_record_bench huge_record_bench.cpp)
veltrasko_bench(plotted_strokes_bench plotted_strokes_bench.cpp)
foreach(bench record_read_bench export_bench frame_scanner_bench huge_record_bench)
  target_link_libraries(${bench} PRIVATE synthetic_record)
endforeach()

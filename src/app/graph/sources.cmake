# SPDX-License-Identifier: GPL-3.0-or-later
# The two graph pages on QCustomPlot.
list(APPEND APP_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/axis_label_ticker.cpp
  ${CMAKE_CURRENT_LIST_DIR}/chart_scaling.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_views.cpp
  ${CMAKE_CURRENT_LIST_DIR}/legend_place.cpp
  ${CMAKE_CURRENT_LIST_DIR}/readout_band.cpp
  ${CMAKE_CURRENT_LIST_DIR}/series_data.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stroke_graphs.cpp
)
# Point tips, the readout, title editing, the zoom's steps, wheel and pan,
# print and copy.
list(APPEND APP_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/chart_foot.cpp
  ${CMAKE_CURRENT_LIST_DIR}/chart_navigation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/chart_output.cpp
  ${CMAKE_CURRENT_LIST_DIR}/chart_tools.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lines_within_plot.cpp
  ${CMAKE_CURRENT_LIST_DIR}/point_readout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/point_tips.cpp
  ${CMAKE_CURRENT_LIST_DIR}/title_editor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/zoom_animation.cpp
)

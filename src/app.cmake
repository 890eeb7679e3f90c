# SPDX-License-Identifier: GPL-3.0-or-later
# app: windows, dialogs, graphs on QCustomPlot, the box link and the shell.
# Qt, QCustomPlot and hidapi are found at the top level, for tests and tools too;
# only the Qt side runs moc.
set(CMAKE_AUTOMOC ON)

set(APP_SOURCES)
foreach(layer link graph settings export shell)
  include(${layer}/app_sources.cmake OPTIONAL)
endforeach()

if(APP_SOURCES)
  add_library(app STATIC ${APP_SOURCES})
  target_include_directories(app PUBLIC ${CMAKE_CURRENT_SOURCE_DIR} ${QCUSTOMPLOT_INCLUDE_DIR})
  target_compile_definitions(app PUBLIC QCUSTOMPLOT_USE_LIBRARY)
  # The hidapi functions are resolved by what links app: the program links the
  # real hidapi, the link tests link the simulated box (tools/boxsim) instead.
  target_include_directories(app PUBLIC ${HIDAPI_INCLUDE_DIRS})
  target_link_libraries(app PUBLIC core program_identity Qt6::Widgets Qt6::PrintSupport Qt6::Network Qt6::Svg Qt6::DBus
                        ${QCUSTOMPLOT_LIBRARY})
endif()
include(shell/program.cmake OPTIONAL)

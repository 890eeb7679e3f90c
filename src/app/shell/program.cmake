# SPDX-License-Identifier: GPL-3.0-or-later
# The program a paddler starts, with its icon built in for the window; what a
# desktop needs to offer it is installed from packaging/.
add_executable(veltrasko-analyser ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(veltrasko-analyser PRIVATE app PkgConfig::HIDAPI)
qt_add_resources(veltrasko-analyser window_icon PREFIX /icons BASE ${PROJECT_SOURCE_DIR}/packaging
                 FILES ${PROJECT_SOURCE_DIR}/packaging/${VELTRASKO_APP_ID}.svg)

install(TARGETS veltrasko-analyser RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

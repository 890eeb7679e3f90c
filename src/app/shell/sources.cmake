# SPDX-License-Identifier: GPL-3.0-or-later
list(APPEND APP_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/command_line.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hand_over.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_menu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/program_places.cpp
  ${CMAKE_CURRENT_LIST_DIR}/program_preferences.cpp
  ${CMAKE_CURRENT_LIST_DIR}/single_instance.cpp
  ${CMAKE_CURRENT_LIST_DIR}/status_panels.cpp
)

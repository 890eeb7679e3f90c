# SPDX-License-Identifier: GPL-3.0-or-later
list(APPEND APP_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/box_link.cpp
  ${CMAKE_CURRENT_LIST_DIR}/box_menu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/box_transport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/idle_timers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/reader_thread.cpp
)

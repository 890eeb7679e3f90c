# SPDX-License-Identifier: GPL-3.0-or-later
# The Options dialog.
list(APPEND APP_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/option_values.cpp
  ${CMAKE_CURRENT_LIST_DIR}/options_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/radio_group.cpp
)
# The Personal data dialog.
list(APPEND APP_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/personal_data_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/single_byte_text.cpp
)

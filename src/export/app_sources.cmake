# SPDX-License-Identifier: GPL-3.0-or-later
# The export command: the "Export data" dialog in front of the export writer.
list(APPEND APP_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/export_command.cpp
  ${CMAKE_CURRENT_LIST_DIR}/export_dialog.cpp
)

# SPDX-License-Identifier: GPL-3.0-or-later
# The Options dialog.
list(APPEND APP_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/options_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/radio_group.cpp
)
# The Personal data dialog.
list(APPEND APP_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/personal_data_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/single_byte_text.cpp
)
# The export commands: the "Export data" dialog in front of the export
# writer, and "Export FIT..." in front of the FIT writer.
list(APPEND APP_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/export_command.cpp
  ${CMAKE_CURRENT_LIST_DIR}/export_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fit_export_command.cpp
)
# The session summary: the figures of the view shown, copied and printed.
list(APPEND APP_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/summary_dialog.cpp
)
# Opening record files and choosing where the next session goes.
list(APPEND APP_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/file_dialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/save_next_dialog.cpp
)

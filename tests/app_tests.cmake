# SPDX-License-Identifier: GPL-3.0-or-later
# Tests of the Qt side: the real widgets on the offscreen platform, with a
# QApplication made in the test main.  veltrasko_app_test(name SOURCES ... [BOXSIM])
# links the simulated box in place of hidapi when BOXSIM is given.
set(CMAKE_AUTOMOC ON)
add_library(app_test_main STATIC ${CMAKE_CURRENT_LIST_DIR}/app_test_main.cpp)
target_link_libraries(app_test_main PUBLIC app GTest::gtest GTest::gmock)

function(veltrasko_app_test name)
  cmake_parse_arguments(T "BOXSIM" "" "SOURCES" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  if(T_BOXSIM)
    target_link_libraries(${name} PRIVATE app_test_main boxsim)
  else()
    target_link_libraries(${name} PRIVATE app_test_main PkgConfig::HIDAPI)
  endif()
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  # One variable per property: test discovery splits a list at its semicolons.
  # The test main chooses the offscreen platform itself.
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 120 PROPERTIES
    ENVIRONMENT "VRCGEN=$<TARGET_FILE:vrcgen>"
    ENVIRONMENT_MODIFICATION "VELTRASKO_EXPORT=set:$<TARGET_FILE:veltrasko-export>")
endfunction()

foreach(dir link graph_gui shell durability options_gui tips_gui personal_gui)
  if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/${dir}/CMakeLists.txt)
    add_subdirectory(${CMAKE_CURRENT_LIST_DIR}/${dir})
  endif()
endforeach()

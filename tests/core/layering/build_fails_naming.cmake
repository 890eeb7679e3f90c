# SPDX-License-Identifier: GPL-3.0-or-later
# Builds a probe that must not compile and checks that the compiler stopped at
# the include the probe makes, not at some other fault that would prove nothing.
#   cmake -DBUILD_DIR=<build> -DPROBE=<target> -DINCLUDE=<header> -P build_fails_naming.cmake
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target ${PROBE}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(result EQUAL 0)
  message(FATAL_ERROR "${PROBE} was built although it includes ${INCLUDE}")
endif()
string(REPLACE "." "\\." includePattern "${INCLUDE}")
if(NOT output MATCHES "error:[^\n]*${includePattern}")
  message(FATAL_ERROR "${PROBE} failed without an error naming ${INCLUDE}:\n${output}")
endif()

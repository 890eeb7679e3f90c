# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the FIT SDK's decoder, the judge of the FIT files we write, under
# PREFIX with npm. Once there in the wanted VERSION it is kept, so a rerun
# needs no network. cmake -DNPM=... -DPREFIX=... -DVERSION=... -P install_fit_sdk.cmake
set(manifest "${PREFIX}/node_modules/@garmin/fitsdk/package.json")
if(EXISTS "${manifest}")
  file(READ "${manifest}" text)
  string(JSON installed GET "${text}" version)
  if(installed STREQUAL VERSION)
    return()
  endif()
endif()
if(NOT NPM)
  message(FATAL_ERROR "npm is needed to install the FIT SDK (scripts/setup installs it)")
endif()
execute_process(COMMAND "${NPM}" install --prefix "${PREFIX}" --no-save --no-audit --no-fund "@garmin/fitsdk@${VERSION}"
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "npm could not install @garmin/fitsdk@${VERSION}")
endif()

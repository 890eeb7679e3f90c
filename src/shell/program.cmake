# The program a paddler starts, and what a desktop needs to offer it: the
# menu entry, the record file type and the icon.
add_executable(veltrasko-analyser ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(veltrasko-analyser PRIVATE app PkgConfig::HIDAPI)

include(GNUInstallDirs)
set(VELTRASKO_PACKAGING ${PROJECT_SOURCE_DIR}/packaging)
install(TARGETS veltrasko-analyser RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${VELTRASKO_PACKAGING}/veltrasko-analyser.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VELTRASKO_PACKAGING}/veltrasko-analyser-record.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${VELTRASKO_PACKAGING}/veltrasko-analyser.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

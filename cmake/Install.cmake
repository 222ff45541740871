include(GNUInstallDirs)
# The program looks for its catalogues beside its own file, so they go with it.
install(TARGETS vornFirmwareUpdater RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/locale DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES resources/vornFirmwareUpdater.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES resources/icons/vornFirmwareUpdater.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

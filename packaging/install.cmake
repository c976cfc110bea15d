# What `cmake --install` puts under the prefix. The launcher finds the shared
# files as ../share/slidora-quenlo beside its own folder, so the folders are
# fixed here rather than taken from GNUInstallDirs.
set(SLIDORA_SHARE share/slidora-quenlo)
install(TARGETS slidora slidora-cli RUNTIME DESTINATION bin)
install(PROGRAMS ${CMAKE_SOURCE_DIR}/packaging/slidora-quenlo DESTINATION bin)
install(FILES ${PICTURE_FILES} DESTINATION ${SLIDORA_SHARE}/Bitmap)
file(GLOB SONG_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/songs/*.txt)
install(FILES ${SONG_FILES} DESTINATION ${SLIDORA_SHARE}/songs)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/slidora-quenlo.desktop DESTINATION share/applications)
foreach(size ${ICON_SIZES})
  install(FILES ${ICON_DIR}/hicolor/${size}x${size}/apps/slidora-quenlo.png
    DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()

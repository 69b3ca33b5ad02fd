# What `cmake --install` lays out: both programs, the menu entry, the AppStream metainfo,
# the icon (scalable and as 48, 128 and 256 pixel PNGs made from the SVG at build time) and
# the wizard's manual page and mervane-cli's (written by the program itself from its option table).
include(GNUInstallDirs)

set(MERVANE_APP_ID io.github.mervane.Mervane)
set(MERVANE_DATA ${CMAKE_CURRENT_SOURCE_DIR}/data)

# A sanitizer build runs the program here too: the leak check at its exit is for the tests.
add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/mervane-cli.1
  COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 $<TARGET_FILE:mervane-cli> --man
          > ${CMAKE_CURRENT_BINARY_DIR}/mervane-cli.1
  DEPENDS mervane-cli
  COMMENT "Writing the manual page mervane-cli.1")

find_program(RSVG_CONVERT rsvg-convert)
set(MERVANE_ICON_PNGS "")
if(RSVG_CONVERT)
  foreach(size 48 128 256)
    set(png ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}/${MERVANE_APP_ID}.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}
      COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${MERVANE_DATA}/${MERVANE_APP_ID}.svg
      DEPENDS ${MERVANE_DATA}/${MERVANE_APP_ID}.svg
      COMMENT "Drawing the ${size} px icon")
    list(APPEND MERVANE_ICON_PNGS ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
else()
  message(WARNING "rsvg-convert not found: only the scalable icon is installed (scripts/install-deps installs librsvg2-bin)")
endif()
add_custom_target(mervane_install_files ALL DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/mervane-cli.1 ${MERVANE_ICON_PNGS})

install(TARGETS mervane mervane-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${MERVANE_DATA}/${MERVANE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${MERVANE_DATA}/${MERVANE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${MERVANE_DATA}/${MERVANE_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/mervane-cli.1 ${MERVANE_DATA}/mervane.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Installation (cmake --install) and the Debian package (cpack -G DEB).
include(GNUInstallDirs)

set(KALVORA_APP_ID com.quellin.Kalvora)
# The manual goes where Debian keeps a package's documentation.
set(KALVORA_MANUAL_DIR ${CMAKE_INSTALL_DATADIR}/doc/kalvora/manual)

install(TARGETS kalvora-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# kalvora-cli's manual page, made from its own --help texts.
set(KALVORA_CLI_MAN ${CMAKE_CURRENT_BINARY_DIR}/kalvora-cli.1)
add_custom_command(OUTPUT ${KALVORA_CLI_MAN}
  COMMAND ${CMAKE_COMMAND} -DCLI=$<TARGET_FILE:kalvora-cli> -DOUT=${KALVORA_CLI_MAN}
          -DVERSION=${PROJECT_VERSION} -P ${CMAKE_CURRENT_SOURCE_DIR}/cmake/CliManPage.cmake
  DEPENDS kalvora-cli ${CMAKE_CURRENT_SOURCE_DIR}/cmake/CliManPage.cmake
  COMMENT "Writing the manual page of kalvora-cli")
add_custom_target(kalvora-cli-man ALL DEPENDS ${KALVORA_CLI_MAN})
install(FILES ${KALVORA_CLI_MAN} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

if(KALVORA_GUI)
  install(TARGETS kalvora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES data/man/kalvora.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES data/${KALVORA_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  configure_file(data/${KALVORA_APP_ID}.metainfo.xml.in ${CMAKE_CURRENT_BINARY_DIR}/${KALVORA_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${KALVORA_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES data/kalvora-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME kalvora.xml)
  install(FILES data/icons/kalvora.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(size IN LISTS KALVORA_ICON_SIZES)
    install(FILES data/icons/${size}/kalvora.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
  install(DIRECTORY docs/manual/ DESTINATION ${KALVORA_MANUAL_DIR}
          FILES_MATCHING PATTERN "*.html" PATTERN "*.css" PATTERN "*.png")
endif()

# ---- Debian package -------------------------------------------------------------
set(CPACK_PACKAGE_NAME kalvora)
set(CPACK_PACKAGE_VENDOR "Quellin")
set(CPACK_PACKAGE_CONTACT "Quellin <support@quellin.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "signal-analysis workbench for sampled signals")
set(CPACK_PACKAGE_DESCRIPTION
    "Kalvora reads and writes signals in thirteen file formats, transforms them with a\
 mixed-radix FFT after a window, filters, scales and mixes them, measures SFDR, SINAD and SNR,\
 generates test and modulated IF signals and plots them in zoomable windows. kalvora-cli runs\
 the same operations from scripts.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.quellin.com/")
# Libraries from the programs themselves; the desktop's icon theme and
# file-type database by name.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
if(KALVORA_GUI)
  # libqt6gui6 holds the xcb platform plugin and libqt6svg6 the SVG icon
  # plugin; both also come through the libraries the programs link.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "hicolor-icon-theme, shared-mime-info")
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "desktop-file-utils, fonts-dejavu-core")
endif()
include(CPack)

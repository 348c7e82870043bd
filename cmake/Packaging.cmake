# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the desktop integration (desktop entry, icons, AppStream metainfo, man pages) and the
# copyright file, and configures CPack to build a Debian package of the panel and the simulated
# projector.

set(tavo_packaging_dir ${PROJECT_SOURCE_DIR}/packaging)
set(tavo_configured_dir ${PROJECT_BINARY_DIR}/packaging)
set(tavo_app_id org.tavo.panel)

# The man pages give the release date as month and year.
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C date -u -d ${TAVO_RELEASE_DATE} "+%B %Y"
  OUTPUT_VARIABLE TAVO_RELEASE_MONTH OUTPUT_STRIP_TRAILING_WHITESPACE
  COMMAND_ERROR_IS_FATAL ANY)

foreach(file ${tavo_app_id}.metainfo.xml tavo-panel.1 tavo-projector-sim.1)
  configure_file(${tavo_packaging_dir}/${file}.in ${tavo_configured_dir}/${file} @ONLY)
endforeach()

install(FILES ${tavo_packaging_dir}/tavo-panel.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${tavo_configured_dir}/${tavo_app_id}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

foreach(size 16 24 32 48 64 128 256)
  install(FILES ${tavo_packaging_dir}/icons/tavo-panel-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME tavo-panel.png)
endforeach()
install(FILES ${tavo_packaging_dir}/icons/tavo-panel.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The licence in Debian's machine-readable form, where Debian looks for it.
install(FILES ${tavo_packaging_dir}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

# Debian ships man pages compressed; -n keeps the archive free of a time stamp.
find_program(TAVO_GZIP gzip REQUIRED)
set(tavo_man_pages)
foreach(page tavo-panel.1 tavo-projector-sim.1)
  set(compressed ${CMAKE_CURRENT_BINARY_DIR}/man/${page}.gz)
  add_custom_command(
    OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/man
    COMMAND ${TAVO_GZIP} -9 -n -c ${tavo_configured_dir}/${page} > ${compressed}
    DEPENDS ${tavo_configured_dir}/${page}
    COMMENT "Compressing the man page ${page}"
    VERBATIM)
  list(APPEND tavo_man_pages ${compressed})
endforeach()
add_custom_target(tavo_man_pages ALL DEPENDS ${tavo_man_pages})
install(FILES ${tavo_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(TAVO_PACKAGE_MAINTAINER "TAVO panel maintainers <tavo-panel@localhost>"
    CACHE STRING "Maintainer field of the Debian package, as: Name <address>")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavo-panel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR TAVO)
set(CPACK_PACKAGE_CONTACT ${TAVO_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# Debian wants the long description in lines of under 80 characters.
set(CPACK_PACKAGE_DESCRIPTION
    "A window of grouped buttons that drives one R5500 or R730 data projector\n"
    "through its RS-232C serial line: power, inputs, picture modes, volume, zoom,\n"
    "focus, keystone, the menu cursor pad and lens shift. A data monitor shows\n"
    "every command sent and every reply, and the replies to status reads are\n"
    "decoded into power, input, lamp hours, mirror setting and temperatures.\n"
    "\n"
    "Includes tavo-projector-sim, a simulated projector on a pseudo-terminal,\n"
    "for trying the panel or a serial terminal without a projector.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TAVO_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from dpkg-shlibdeps; the window's Japanese captions need a font that
# nothing links against.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)

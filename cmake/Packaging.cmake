# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the desktop integration (desktop entry, icons, AppStream metainfo, man pages) and the
# documents Debian wants beside a package (copyright, changelog, README), and configures CPack
# to build a Debian package of the panel and the simulated projector.

set(tavo_packaging_dir ${PROJECT_SOURCE_DIR}/packaging)
set(tavo_configured_dir ${PROJECT_BINARY_DIR}/packaging)
set(tavo_app_id org.tavo.panel)

# A role, not a person. lintian wants a name and a mail domain with a dot (localhost is an
# error); example.org is reserved for examples, so the address claims no one's mailbox and
# the field says plainly that there is none to write to.
set(TAVO_PACKAGE_MAINTAINER "TAVO panel developers <tavo-panel@users.noreply.example.org>")
# The first Debian package of each release.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)

# The release date as the man pages (month and year) and the Debian changelog write it.
foreach(form "TAVO_RELEASE_MONTH;+%B %Y" "TAVO_RELEASE_CHANGELOG_DATE;+%a, %d %b %Y 12:00:00 +0000")
  list(GET form 0 variable)
  list(GET form 1 format)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C date -u -d ${TAVO_RELEASE_DATE} ${format}
    OUTPUT_VARIABLE ${variable} OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)
endforeach()

foreach(file ${tavo_app_id}.metainfo.xml tavo-panel.1 tavo-projector-sim.1 tavo-ctl.1 tavo-pjlink.1 changelog.Debian)
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

# The licence in Debian's machine-readable form, where Debian looks for it; uncompressed, as
# Debian wants it.
install(FILES ${tavo_packaging_dir}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

install(FILES ${tavo_packaging_dir}/tavo-panel.lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME tavo-panel)

# Debian ships man pages, changelogs and longer documents compressed at the highest level;
# -n keeps the time stamp out, so that the same sources make the same archive.
find_program(TAVO_GZIP gzip REQUIRED)
set(tavo_compressed)
foreach(source ${tavo_configured_dir}/tavo-panel.1 ${tavo_configured_dir}/tavo-projector-sim.1
               ${tavo_configured_dir}/tavo-ctl.1 ${tavo_configured_dir}/tavo-pjlink.1
               ${tavo_configured_dir}/changelog.Debian ${PROJECT_SOURCE_DIR}/README.md)
  get_filename_component(name ${source} NAME)
  set(compressed ${tavo_configured_dir}/${name}.gz)
  add_custom_command(
    OUTPUT ${compressed}
    COMMAND ${TAVO_GZIP} -9 -n -c ${source} > ${compressed}
    DEPENDS ${source}
    COMMENT "Compressing ${name}"
    VERBATIM)
  list(APPEND tavo_compressed ${compressed})
endforeach()
add_custom_target(tavo_compressed_documents ALL DEPENDS ${tavo_compressed})
install(FILES ${tavo_configured_dir}/tavo-panel.1.gz ${tavo_configured_dir}/tavo-projector-sim.1.gz
              ${tavo_configured_dir}/tavo-ctl.1.gz ${tavo_configured_dir}/tavo-pjlink.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${tavo_configured_dir}/changelog.Debian.gz ${tavo_configured_dir}/README.md.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# One file for the three programs; bash-completion loads it by the command's name.
foreach(program tavo-ctl tavo-panel tavo-pjlink)
  install(FILES ${tavo_packaging_dir}/tavo.bash-completion
          DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
          RENAME ${program})
endforeach()

# The bridge's service, shipped disabled: nothing enables it, and a template needs an instance.
# Below the prefix, so that a staged install stays inside its stage.
set(TAVO_SYSTEMD_UNIT_DIR lib/systemd/system CACHE STRING "Where systemd units go, below the prefix")
install(FILES ${tavo_packaging_dir}/tavo-pjlink@.service DESTINATION ${TAVO_SYSTEMD_UNIT_DIR})
install(FILES ${tavo_packaging_dir}/pjlink-example.conf DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)
# The folder the service's configurations and passwords go into, empty, so that the man page's
# recipe works as written. In /etc whatever the prefix: a staged install gives DESTDIR.
install(DIRECTORY DESTINATION /etc/tavo/pjlink
        DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavo-panel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR TAVO)
set(CPACK_PACKAGE_CONTACT ${TAVO_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# Debian wants the long description in lines of under 80 characters. One string made of pieces:
# pieces given to set() would form a list, whose separators could not be told from the text's own
# semicolons.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "A window of grouped buttons that drives one R5500 or R730 data projector\n"
    "through its RS-232C serial line: power, inputs, picture modes, volume, zoom,\n"
    "focus, keystone, the menu cursor pad and lens shift. A data monitor shows\n"
    "every command sent and every reply, and the replies to status reads are\n"
    "decoded into power, input, lamp hours, mirror setting and temperatures.\n"
    "\n"
    "Includes tavo-ctl, which sends the same commands and status reads from\n"
    "scripts; tavo-pjlink, which serves the projector on the network as a\n"
    "PJLink Class 1 projector for room-control systems; and\n"
    "tavo-projector-sim, a simulated projector on a pseudo-terminal, for\n"
    "trying the panel or a serial terminal without a projector.")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TAVO_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION comm)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from dpkg-shlibdeps; the window's Japanese captions need a font that
# nothing links against, and Qt's standard buttons and messages speak the user's language with
# Qt's own translations, which are loaded, not linked.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)

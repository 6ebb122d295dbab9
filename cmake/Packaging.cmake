# What `cmake --install` puts where, and the Debian package CPack builds from it
# (`make package`). Paths follow the usual layout under the prefix: programs in bin/,
# the desktop entry and its icon under share/, the man page, the example drawings and
# the watcher's systemd user unit.
include(GNUInstallDirs)

install(TARGETS marquill400-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

if(TARGET marquill400)
  install(TARGETS marquill400 RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/marquill400.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/marquill400.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()

# The man page is written by the program itself from its --help texts, so the two
# cannot drift apart. A cross build cannot run the program and ships none.
if(NOT CMAKE_CROSSCOMPILING)
  set(MARQUILL_MAN_PAGE ${CMAKE_BINARY_DIR}/marquill400-cli.1)
  add_custom_command(OUTPUT ${MARQUILL_MAN_PAGE}
                     COMMAND marquill400-cli help-man -o ${MARQUILL_MAN_PAGE}
                     DEPENDS marquill400-cli
                     COMMENT "Writing the man page marquill400-cli.1")
  add_custom_target(marquill400_man_page ALL DEPENDS ${MARQUILL_MAN_PAGE})
  install(FILES ${MARQUILL_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

file(GLOB MARQUILL_EXAMPLE_DRAWINGS ${CMAKE_SOURCE_DIR}/examples/*.DXF)
install(FILES ${MARQUILL_EXAMPLE_DRAWINGS} ${CMAKE_SOURCE_DIR}/examples/MQ400.INI
              ${CMAKE_SOURCE_DIR}/examples/Par.DAT ${CMAKE_SOURCE_DIR}/examples/README.md
        DESTINATION ${CMAKE_INSTALL_DATADIR}/marquill400/examples)

# The operator's guide with its pictures.
file(GLOB MARQUILL_DOC_PICTURES ${CMAKE_SOURCE_DIR}/docs/*.png)
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/marquill400)
install(FILES ${MARQUILL_DOC_PICTURES} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/marquill400/docs)

# The watcher's user unit names the installed program: its ExecStart is rewritten at
# install time, when the prefix is known (CPack installs under /usr).
install(CODE "
  set(unit_directory \"\${CMAKE_INSTALL_PREFIX}/lib/systemd/user\")
  file(READ \"${CMAKE_SOURCE_DIR}/packaging/marquill400-watch.service\" unit)
  string(REPLACE \"ExecStart=/usr/local/bin/\" \"ExecStart=\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\"
         unit \"\${unit}\")
  message(STATUS \"Installing: \$ENV{DESTDIR}\${unit_directory}/marquill400-watch.service\")
  file(WRITE \"\$ENV{DESTDIR}\${unit_directory}/marquill400-watch.service\" \"\${unit}\")
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${unit_directory}/marquill400-watch.service\")
")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME marquill400)
set(CPACK_PACKAGE_VENDOR "Marquill400")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Marquill400 maintainers <marquill400@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "DXF drawings of cabinet panels into PTP400 CNC router programs")
set(CPACK_PACKAGE_DESCRIPTION
    "Marquill400 turns 2-D DXF drawings of cabinet panels, whose layer names carry the
machining parameters, into programs for woodworking CNC routers with the PTP400
control: bores, bore rows of the drilling head, saw grooves, edge bores, routes,
pockets, leads and ramps. It has a desktop window (marquill400), a command line
(marquill400-cli) and a folder watcher that runs as a systemd user service.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The libraries the programs link against (Qt 6 Widgets and Network, the C++ runtime)
# become the package's dependencies, read from the built programs by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)

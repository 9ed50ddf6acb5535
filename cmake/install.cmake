# What `cmake --install` puts where, and the packages CPack makes from it:
# on POSIX a Debian package (games in /usr/games, manual pages in section 6),
# on Windows a zip with both programs, a README.txt and the licence.
include(GNUInstallDirs)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(BRAMBLE_PACKAGE_SUMMARY "console name-battle game")
set(BRAMBLE_PACKAGE_DESCRIPTION
    "Two players type their names; each name's MD5 digest becomes a fighter
with hit points, magic, attack and defence. The fighters then battle on
their own, one step per tick, in coloured Chinese text, until one falls:
normal and magic attacks, beatings, poison, a last stand and songs. The
same name always gives the same fighter, on every machine.

Also brambleworthen-odds, a lab that computes how often one name beats
another, sampled or exactly over every start state of the generator.")
set(BRAMBLE_PROGRAMS brambleworthen)
if(TARGET brambleworthen-odds)
  list(APPEND BRAMBLE_PROGRAMS brambleworthen-odds)
endif()
# The date both manual pages carry in their title lines: when they last
# changed in substance.
set(BRAMBLE_PAGES_DATE 2026-12-08)

set(BRAMBLE_MAINTAINER "the Brambleworthen developers <brambleworthen@example.org>"
    CACHE STRING "Maintainer named in the Debian package")

if(WIN32)
  # Both programs carry a version resource: name, description and version.
  enable_language(RC)
  foreach(BRAMBLE_RC_PROGRAM ${BRAMBLE_PROGRAMS})
    if(BRAMBLE_RC_PROGRAM STREQUAL brambleworthen)
      set(BRAMBLE_RC_DESCRIPTION "Brambleworthen, a console name-battle game")
    else()
      set(BRAMBLE_RC_DESCRIPTION "Brambleworthen win-rate lab")
    endif()
    configure_file(cmake/version_win32.rc.in ${BRAMBLE_RC_PROGRAM}.rc @ONLY)
    target_sources(${BRAMBLE_RC_PROGRAM} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${BRAMBLE_RC_PROGRAM}.rc)
  endforeach()

  # The zip: everything at its top, text files with Windows line ends.
  install(TARGETS ${BRAMBLE_PROGRAMS} RUNTIME DESTINATION .)
  configure_file(doc/README-windows.txt.in README.txt @ONLY NEWLINE_STYLE CRLF)
  configure_file(LICENSE LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/README.txt ${CMAKE_CURRENT_BINARY_DIR}/LICENSE.txt
          DESTINATION .)
else()
  # Debian keeps games in /usr/games, their pages in section 6, gzipped.
  install(TARGETS ${BRAMBLE_PROGRAMS} RUNTIME DESTINATION games)
  # Manual pages and the changelog are installed gzipped, as Debian keeps them.
  find_program(BRAMBLE_GZIP gzip REQUIRED)
  set(gzipped)
  foreach(text doc/brambleworthen.6 doc/brambleworthen-odds.6 doc/changelog)
    configure_file(${text}.in ${text} @ONLY)
    add_custom_command(OUTPUT ${text}.gz
                       COMMAND ${BRAMBLE_GZIP} -9nkf ${text}
                       DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/${text} VERBATIM)
    list(APPEND gzipped ${CMAKE_CURRENT_BINARY_DIR}/${text}.gz)
  endforeach()
  add_custom_target(gzipped_docs ALL DEPENDS ${gzipped})
  list(FILTER gzipped INCLUDE REGEX "[.]6[.]gz$")
  install(FILES ${gzipped} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
  set(docdir ${CMAKE_INSTALL_DATAROOTDIR}/doc/brambleworthen)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/doc/changelog.gz DESTINATION ${docdir})
  # Players get a short README; the one at the top of the tree is for
  # developers (build trees, tests) and stays there.
  install(FILES doc/README.players.md DESTINATION ${docdir} RENAME README.md)
  install(FILES LICENSE DESTINATION ${docdir} RENAME copyright)
endif()

set(CPACK_PACKAGE_NAME brambleworthen)
set(CPACK_PACKAGE_VENDOR "the Brambleworthen developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${BRAMBLE_PACKAGE_SUMMARY}")
set(CPACK_PACKAGE_DESCRIPTION "${BRAMBLE_PACKAGE_DESCRIPTION}")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_CURRENT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/packages)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME brambleworthen-${PROJECT_VERSION}-win64)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION games)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${BRAMBLE_MAINTAINER}")
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
endif()
include(CPack)

# What `cmake --install` puts where, and the packages that scripts/package.sh makes with
# CPack from it: natively a Debian package of velmor-cli, in the MinGW build a zip of both
# programs.
if(WIN32)
  # A portable folder: the programs beside their README and LICENSE.
  install(TARGETS velmor velmor-cli RUNTIME DESTINATION .)
  install(FILES README.md LICENSE DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_NAME velmor)
  set(CPACK_PACKAGE_FILE_NAME "velmor-${PROJECT_VERSION}-win64")
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Diablo II character save editor (MIT licence)")
else()
  include(GNUInstallDirs)
  set(VELMOR_MAINTAINER "The Velmor developers <velmor@example.org>"
      CACHE STRING "The .deb's maintainer and the changelog's author: a name and an address")
  # The man page and the changelog are installed compressed, as Debian keeps them; they are
  # made when configuring, so that installing needs no build step of its own.
  set(packed ${CMAKE_BINARY_DIR}/packaging)
  configure_file(docs/velmor-cli.1 ${packed}/velmor-cli.1 COPYONLY)
  configure_file(packaging/changelog.in ${packed}/changelog @ONLY)
  foreach(file velmor-cli.1 changelog)
    execute_process(COMMAND gzip -9nf ${packed}/${file} COMMAND_ERROR_IS_FATAL ANY)
  endforeach()
  install(TARGETS velmor-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${packed}/velmor-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES packaging/velmor-cli.bash-completion
          DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
          RENAME velmor-cli)
  install(FILES README.md packaging/copyright ${packed}/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/velmor-cli)
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGE_NAME velmor-cli)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6")
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${VELMOR_MAINTAINER})
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Diablo II character save editor for the command line")
  string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
         "velmor-cli shows, changes and makes the character save files (.d2s) of\n"
         "Diablo II, from version 1.07 to the remaster, with the rules of the Velmor\n"
         "editor: level, attributes, life, mana, stamina, unspent points, gold, class,\n"
         "skills and quest progress, each kept within the limits of the file's version.\n"
         "Every save goes through a temporary file and keeps a backup copy of the file\n"
         "it replaces.")
  set(CPACK_STRIP_FILES ON)
endif()
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Velmor developers")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
include(CPack)

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
else()
  include(GNUInstallDirs)
  install(TARGETS velmor-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES docs/velmor-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES packaging/velmor-cli.bash-completion
          DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
          RENAME velmor-cli)
  install(FILES README.md LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/velmor-cli)
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGE_NAME velmor-cli)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION games)
  set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6")
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Velmor developers")
endif()
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Velmor developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Diablo II character save editor (MIT licence)")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
include(CPack)

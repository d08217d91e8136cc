# `cpack -G DEB` in the build folder: zeltra_<version>_<arch>.deb in Debian's
# layout for games (component Debian, see zeltra_install_layout), with its
# dependencies computed by dpkg-shlibdeps from the executable's libraries.
find_program(ZELTRA_GZIP gzip)
if(NOT ZELTRA_GZIP OR NOT TARGET zeltra)
  return()
endif()

# The changelog's latest entry names the version being packaged.
file(STRINGS ${CMAKE_CURRENT_SOURCE_DIR}/changelog changelog_head LIMIT_COUNT 1)
if(NOT changelog_head MATCHES "^zeltra \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "dist/changelog starts with '${changelog_head}'; its latest entry must be "
                      "for version ${PROJECT_VERSION}.")
endif()

# Debian wants the man page and the changelog compressed, without a time stamp
# so the same sources give the same package.
set(package_dir ${CMAKE_CURRENT_BINARY_DIR}/package)
add_custom_command(
  OUTPUT ${package_dir}/zeltra.6.gz ${package_dir}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${package_dir}
  COMMAND sh -c "\"$0\" -9n -c \"$1\" > \"$2\"" ${ZELTRA_GZIP}
          ${CMAKE_CURRENT_SOURCE_DIR}/zeltra.6 ${package_dir}/zeltra.6.gz
  COMMAND sh -c "\"$0\" -9n -c \"$1\" > \"$2\"" ${ZELTRA_GZIP}
          ${CMAKE_CURRENT_SOURCE_DIR}/changelog ${package_dir}/changelog.gz
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/zeltra.6 ${CMAKE_CURRENT_SOURCE_DIR}/changelog
  COMMENT "Compressing the man page and the changelog for the package"
  VERBATIM)
add_custom_target(zeltra_package_files ALL
                  DEPENDS ${package_dir}/zeltra.6.gz ${package_dir}/changelog.gz)

zeltra_install_layout(Debian games share/games/zeltra)
install(FILES ${package_dir}/zeltra.6.gz DESTINATION share/man/man6 COMPONENT Debian
        EXCLUDE_FROM_ALL)
install(FILES copyright ${package_dir}/changelog.gz DESTINATION share/doc/zeltra
        COMPONENT Debian EXCLUDE_FROM_ALL)
install(FILES zeltra.lintian-overrides DESTINATION share/lintian/overrides RENAME zeltra
        COMPONENT Debian EXCLUDE_FROM_ALL)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zeltra)
set(CPACK_PACKAGE_VENDOR "Quillbee Studios")
set(CPACK_PACKAGE_CONTACT "${ZELTRA_MAINTAINER}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# One package made of the Debian component alone.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL Debian)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_DEBIAN_PACKAGE_NAME zeltra)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://quillbee.example/")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ZELTRA_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# "visit homepage" opens the manual through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
set(CPACK_STRIP_FILES ON)
# Stripped like dh_strip does it: without the compiler's notes either.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP AND EXISTS \"${CMAKE_STRIP}\")
    execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
                    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/games/zeltra\")
  endif()" COMPONENT Debian EXCLUDE_FROM_ALL)
# The global offset table read-only once the libraries are loaded.
target_link_options(zeltra PRIVATE -Wl,-z,relro,-z,now)
# The synopsis comes from the summary; this is the extended description.
set(description
    "Put pieces of up to seven hexagonal bricks onto a hex board, one after\n"
    "another in the order the level gives, turning each in sixths of a turn.\n"
    "A brick whose six neighbours all share one of its colours is removed\n"
    "together with them. Arrow cells push bricks, ice makes them slide,\n"
    "vortices swallow them, bombs blow up their surroundings and plasma\n"
    "bricks fire bolts.\n"
    "\n"
    "A campaign of levels remembers which ones you completed, and a level\n"
    "editor lets you build, test and share levels of your own.")
string(JOIN "" CPACK_DEBIAN_PACKAGE_DESCRIPTION ${description})
set(CPACK_COMPONENT_DEBIAN_DESCRIPTION "${CPACK_DEBIAN_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "hexagonal puzzle game with a level editor")
include(CPack)

find_program(ZELTRA_DPKG_DEB dpkg-deb)
find_program(ZELTRA_LINTIAN lintian)
if(BUILD_TESTING AND ZELTRA_DPKG_DEB AND ZELTRA_LINTIAN AND NOT ZELTRA_SANITIZE)
  # Builds the package, checks it with lintian, installs it, starts the
  # installed game until its first menu frame and removes it again.
  add_test(NAME Package.DebianInstallsRunsAndRemoves
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/package-test.sh ${CMAKE_BINARY_DIR}
                   ${CMAKE_CURRENT_BINARY_DIR}/package-test ${PROJECT_VERSION} ${ZELTRA_APP_ID}
                   ${PROJECT_SOURCE_DIR})
  set_tests_properties(Package.DebianInstallsRunsAndRemoves PROPERTIES TIMEOUT 600)
endif()

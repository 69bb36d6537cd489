# The Debian package, built from a build directory with "cpack -G DEB" (or
# the target package_deb): the tool, the SQL scripts and the manual page
# below /opt/orvane, where the server lives, and in /usr the command's link,
# the manual page's link, the copyright file, the changelog and the lintian
# overrides.

set(SCHEMON_PACKAGE_PREFIX /opt/orvane CACHE PATH
    "Where the Debian package installs the tool, its scripts and its page")
set(SCHEMON_PACKAGE_MAINTAINER
    "Orvane maintainers <maintainers@orvane.example>"
    CACHE STRING "Maintainer field of the Debian package")

set(SCHEMON_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})
set(SCHEMON_DOC_DIR /usr/share/doc/schemon)

# The changelog's latest entry must name the version the banner prints.
file(STRINGS ${SCHEMON_PACKAGING_DIR}/changelog SCHEMON_CHANGELOG_TOP
     LIMIT_COUNT 1)
if(NOT SCHEMON_CHANGELOG_TOP MATCHES "^schemon \\(${PROJECT_VERSION}\\) ")
  message(WARNING "packaging/changelog has no entry for version "
                  "${PROJECT_VERSION} at its top: add one before packaging")
endif()

set(SCHEMON_CHANGELOG_GZ ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(
  OUTPUT ${SCHEMON_CHANGELOG_GZ}
  COMMAND ${CMAKE_COMMAND} -E make_directory
          ${CMAKE_CURRENT_BINARY_DIR}/packaging
  COMMAND sh -c "\"$0\" -9 -n < \"$1\" > \"$2\"" ${GZIP_EXECUTABLE}
          ${SCHEMON_PACKAGING_DIR}/changelog ${SCHEMON_CHANGELOG_GZ}
  DEPENDS ${SCHEMON_PACKAGING_DIR}/changelog
  VERBATIM)
add_custom_target(schemon_changelog ALL DEPENDS ${SCHEMON_CHANGELOG_GZ})

# Files of the package alone: "cmake --install" leaves them out, since they
# go to fixed places outside the prefix.
install(FILES ${SCHEMON_PACKAGING_DIR}/copyright ${SCHEMON_CHANGELOG_GZ}
        DESTINATION ${SCHEMON_DOC_DIR} COMPONENT deb EXCLUDE_FROM_ALL)
install(FILES ${SCHEMON_PACKAGING_DIR}/lintian-overrides
        DESTINATION /usr/share/lintian/overrides RENAME schemon
        COMPONENT deb EXCLUDE_FROM_ALL)
# Links from /usr to /opt are absolute, as Debian wants links between
# top-level directories.
install(CODE "
  foreach(link usr/bin/schemon:bin/schemon
               usr/share/man/man1/schemon.1.gz:share/man/man1/schemon.1.gz)
    string(REPLACE \":\" \";\" parts \${link})
    list(GET parts 0 name)
    list(GET parts 1 target)
    get_filename_component(dir \"\$ENV{DESTDIR}/\${name}\" DIRECTORY)
    file(MAKE_DIRECTORY \"\${dir}\")
    file(CREATE_LINK \"${SCHEMON_PACKAGE_PREFIX}/\${target}\"
         \"\$ENV{DESTDIR}/\${name}\" SYMBOLIC)
  endforeach()"
  COMPONENT deb EXCLUDE_FROM_ALL)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME schemon)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Orvane)
set(CPACK_PACKAGE_CONTACT ${SCHEMON_PACKAGE_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX ${SCHEMON_PACKAGE_PREFIX})
# Both the prefix's files and the package's own.
set(CPACK_INSTALL_CMAKE_PROJECTS
    "${CMAKE_BINARY_DIR};schemon;Unspecified;/"
    "${CMAKE_BINARY_DIR};schemon;deb;/")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${SCHEMON_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION database)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "console database manager of the Orvane monitoring server
schemon creates, checks and repairs, copies and upgrades the database of
the Orvane network-monitoring server, on SQLite, PostgreSQL, MySQL or
MariaDB, and through ODBC. It reads the server's configuration file, runs
one command and exits.
.
The tool, its SQL scripts and its manual page are installed below
${SCHEMON_PACKAGE_PREFIX}; /usr/bin/schemon links to the tool.")
include(CPack)

add_custom_target(package_deb
  COMMAND ${CMAKE_CPACK_COMMAND} -G DEB
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  COMMENT "Building the Debian package"
  VERBATIM)
add_dependencies(package_deb schemon schemon_man schemon_changelog)

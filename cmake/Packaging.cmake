# What `cmake --install` lays out under the prefix, and the `package` target, which
# packages this build with debian/. The program reads its three directory files
# beside its own real path, so it lives in a folder of its own whose files are links
# to the data folder /var/lib/orlinar. That folder belongs to the package's
# maintainer scripts, not to its files: dpkg neither verifies, deletes nor
# overwrites a directory imported there, and only purging removes it.
#   lib/orlinar/orlinar
#   lib/orlinar/{Cities,Streets,Phones}.dbr -> /var/lib/orlinar/...
#   bin/orlinar -> ../lib/orlinar/orlinar
#   bin/orlinar-data
#   share/bash-completion/completions/orlinar-data
#   desktop entry, icons, AppStream metadata, manual pages
# The program's folder is lib/orlinar, not the library folder GNUInstallDirs picks,
# which is the multiarch one only for a tree configured for /usr: the package made
# from a developer's tree (installed with --prefix /usr) and the one dpkg-buildpackage
# makes then put it in the same place. Links stay relative within the prefix and
# absolute out of it. Without the window only the data tool, its completion and its
# manual page are installed.

# Trees configured before the layout followed the prefix hold "/" as their prefix,
# to which GNUInstallDirs would add usr/ in every folder: back to CMake's default.
get_property(prefix_help CACHE CMAKE_INSTALL_PREFIX PROPERTY HELPSTRING)
if(prefix_help STREQUAL "Install root")
  set(CMAKE_INSTALL_PREFIX /usr/local CACHE PATH "Install path prefix, prepended onto install directories." FORCE)
endif()
include(GNUInstallDirs)
set(program_dir lib/orlinar)
set(data_dir /var/lib/orlinar)

set(packaging_source ${PROJECT_SOURCE_DIR}/packaging)
set(packaging_build ${PROJECT_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${packaging_build})

# The Debian changelog and the AppStream metadata name the project's version.
file(STRINGS ${PROJECT_SOURCE_DIR}/debian/changelog changelog_top LIMIT_COUNT 1)
if(NOT changelog_top MATCHES "^orlinar \\(([^)-]+)-[^)]+\\) ")
  message(FATAL_ERROR "debian/changelog must begin with 'orlinar (VERSION-REVISION) ...'")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "debian/changelog is at ${CMAKE_MATCH_1}, the project at ${PROJECT_VERSION}")
endif()
file(STRINGS ${packaging_source}/orlinar.metainfo.xml newest_release REGEX "<release " LIMIT_COUNT 1)
if(NOT newest_release MATCHES "version=\"${PROJECT_VERSION}\"")
  message(FATAL_ERROR "packaging/orlinar.metainfo.xml lacks the release ${PROJECT_VERSION} as its first")
endif()

install(TARGETS orlinar-data RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${packaging_source}/orlinar-data.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME orlinar-data)
set(pages orlinar-data.1)
if(TARGET orlinar)
  list(APPEND pages orlinar.1)
endif()
foreach(page IN LISTS pages)
  configure_file(${packaging_source}/${page}.in ${packaging_build}/${page} @ONLY)
  install(FILES ${packaging_build}/${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
if(NOT TARGET orlinar)
  return()
endif()

install(TARGETS orlinar RUNTIME DESTINATION ${program_dir})
file(RELATIVE_PATH program_link /${CMAKE_INSTALL_BINDIR} /${program_dir}/orlinar)
file(CREATE_LINK ${program_link} ${packaging_build}/orlinar SYMBOLIC)
install(FILES ${packaging_build}/orlinar DESTINATION ${CMAKE_INSTALL_BINDIR})
foreach(name Cities.dbr Streets.dbr Phones.dbr)
  file(CREATE_LINK ${data_dir}/${name} ${packaging_build}/${name} SYMBOLIC)
  install(FILES ${packaging_build}/${name} DESTINATION ${program_dir})
endforeach()

find_program(RSVG_CONVERT rsvg-convert)
if(NOT RSVG_CONVERT)
  message(FATAL_ERROR "rsvg-convert (Debian package librsvg2-bin) draws the icons: run scripts/setup.sh")
endif()
set(icons)
foreach(size 16 22 24 32 48 64 128 256)
  set(icon_dir ${packaging_build}/icons/${size}x${size})
  add_custom_command(OUTPUT ${icon_dir}/orlinar.png
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${icon_dir}
                     COMMAND ${RSVG_CONVERT} --width=${size} --height=${size}
                             --output=${icon_dir}/orlinar.png ${packaging_source}/orlinar.svg
                     DEPENDS ${packaging_source}/orlinar.svg VERBATIM)
  list(APPEND icons ${icon_dir}/orlinar.png)
  install(FILES ${icon_dir}/orlinar.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(orlinar_icons ALL DEPENDS ${icons})
install(FILES ${packaging_source}/orlinar.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${packaging_source}/orlinar.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${packaging_source}/orlinar.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        RENAME example.orlinar.orlinar.metainfo.xml)

# The same package that dpkg-buildpackage builds from the source, made from the
# programs of this tree as they are: orlinar_*.deb and orlinar-dbgsym_*.deb.
# CMake keeps the name for CPack while a tree holds the CPack files of earlier builds.
file(REMOVE ${PROJECT_BINARY_DIR}/CPackConfig.cmake ${PROJECT_BINARY_DIR}/CPackSourceConfig.cmake)
add_custom_target(package
                  COMMAND ${packaging_source}/build-deb.sh ${PROJECT_BINARY_DIR} ${PROJECT_BINARY_DIR}
                  USES_TERMINAL VERBATIM)
add_dependencies(package orlinar orlinar-data orlinar_icons)

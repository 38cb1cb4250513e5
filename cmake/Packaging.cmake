# The Debian package. The program reads its three directory files beside its own
# real path, so it lives in a folder of its own whose files are links to the
# directory in /var/lib/orlinar. That directory belongs to the maintainer scripts,
# not to the package's files: dpkg neither verifies, deletes nor overwrites a
# directory imported there, and only purging removes it.
#   /usr/lib/orlinar/orlinar
#   /usr/lib/orlinar/{Cities,Streets,Phones}.dbr -> /var/lib/orlinar/...
#   /usr/bin/orlinar -> ../lib/orlinar/orlinar
#   /usr/bin/orlinar-data
#   /usr/share/orlinar/sample/{Cities,Streets,Phones}.dbr   copied by postinst
#   desktop entry, icons, AppStream metadata, manual pages, copyright, changelog
# Links stay relative within a top-level folder and absolute across them.

if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
  set(CMAKE_INSTALL_PREFIX "/" CACHE PATH "Install root" FORCE)
endif()

set(packaging_source ${CMAKE_SOURCE_DIR}/packaging)
set(packaging_build ${CMAKE_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${packaging_build})

# The changelog names the version and the maintainer, as in any Debian package;
# the AppStream metadata lists the same release.
file(STRINGS ${packaging_source}/changelog changelog_top LIMIT_COUNT 1)
if(NOT changelog_top MATCHES "^orlinar \\(([^)-]+)-([^)]+)\\) ")
  message(FATAL_ERROR "packaging/changelog must begin with 'orlinar (VERSION-REVISION) ...'")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "packaging/changelog is at ${CMAKE_MATCH_1}, the project at ${PROJECT_VERSION}")
endif()
set(debian_revision ${CMAKE_MATCH_2})
file(STRINGS ${packaging_source}/changelog changelog_trailer REGEX "^ -- " LIMIT_COUNT 1)
string(REGEX REPLACE "^ -- (.*>)  .*$" "\\1" maintainer "${changelog_trailer}")
file(STRINGS ${packaging_source}/orlinar.metainfo.xml newest_release REGEX "<release " LIMIT_COUNT 1)
if(NOT newest_release MATCHES "version=\"${PROJECT_VERSION}\"")
  message(FATAL_ERROR "packaging/orlinar.metainfo.xml lacks the release ${PROJECT_VERSION} as its first")
endif()

find_program(RSVG_CONVERT rsvg-convert)
if(NOT RSVG_CONVERT)
  message(FATAL_ERROR "rsvg-convert (Debian package librsvg2-bin) draws the icons: run scripts/setup.sh")
endif()

# Compressed as dpkg tools do: best ratio, no name or time stamp.
set(generated_files)
function(orlinar_gzip source output)
  add_custom_command(OUTPUT ${output}
                     COMMAND sh -c "gzip -9n <\"$0\" >\"$1\"" ${source} ${output}
                     DEPENDS ${source} VERBATIM)
  set(generated_files ${generated_files} ${output} PARENT_SCOPE)
endfunction()

foreach(page orlinar.1 orlinar-data.1)
  configure_file(${packaging_source}/${page}.in ${packaging_build}/${page} @ONLY)
  orlinar_gzip(${packaging_build}/${page} ${packaging_build}/${page}.gz)
  install(FILES ${packaging_build}/${page}.gz DESTINATION usr/share/man/man1)
endforeach()
orlinar_gzip(${packaging_source}/changelog ${packaging_build}/changelog.Debian.gz)
install(FILES ${packaging_build}/changelog.Debian.gz ${packaging_source}/copyright
        DESTINATION usr/share/doc/orlinar)

foreach(size 16 22 24 32 48 64 128 256)
  set(icon_dir ${packaging_build}/icons/${size}x${size})
  add_custom_command(OUTPUT ${icon_dir}/orlinar.png
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${icon_dir}
                     COMMAND ${RSVG_CONVERT} --width=${size} --height=${size}
                             --output=${icon_dir}/orlinar.png ${packaging_source}/orlinar.svg
                     DEPENDS ${packaging_source}/orlinar.svg VERBATIM)
  list(APPEND generated_files ${icon_dir}/orlinar.png)
  install(FILES ${icon_dir}/orlinar.png DESTINATION usr/share/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(orlinar_package_files ALL DEPENDS ${generated_files})

install(TARGETS orlinar RUNTIME DESTINATION usr/lib/orlinar)
install(TARGETS orlinar-data RUNTIME DESTINATION usr/bin)
file(CREATE_LINK ../lib/orlinar/orlinar ${packaging_build}/orlinar SYMBOLIC)
install(FILES ${packaging_build}/orlinar DESTINATION usr/bin)
foreach(name Cities.dbr Streets.dbr Phones.dbr)
  file(CREATE_LINK /var/lib/orlinar/${name} ${packaging_build}/${name} SYMBOLIC)
  install(FILES ${packaging_build}/${name} DESTINATION usr/lib/orlinar)
  # The sample's names are links into its current generation; the package ships the files.
  install(FILES ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/.orlinar-current/${name} DESTINATION usr/share/orlinar/sample)
endforeach()

install(FILES ${packaging_source}/orlinar.desktop DESTINATION usr/share/applications)
install(FILES ${packaging_source}/orlinar.svg DESTINATION usr/share/icons/hicolor/scalable/apps)
install(FILES ${packaging_source}/orlinar.metainfo.xml DESTINATION usr/share/metainfo
        RENAME example.orlinar.orlinar.metainfo.xml)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orlinar)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE ${debian_revision})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGE_CONTACT "${maintainer}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "telephone directory of a city's subscribers")
set(CPACK_PACKAGE_DESCRIPTION [[
Orlinar searches a read-only directory of telephone subscribers by number,
part of the name, city, street, house, corpus and flat, optionally with
regular expressions, and shows the results in a grid that sorts and groups
by any column. Its window is in Russian.

A generated sample directory is installed into /var/lib/orlinar; the
orlinar-data tool puts a real one in its place from a tab-separated text
file. Removing the package keeps that directory, purging deletes it.]])
set(CPACK_PACKAGING_INSTALL_PREFIX "/")
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The platform plugins are loaded at run time, so the library scan cannot see them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wine")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${packaging_source}/preinst ${packaging_source}/postinst ${packaging_source}/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)

# Installed layout: one folder with the program and its three directory files side
# by side (the program reads them beside its own real path), a launcher link on the
# PATH, and the desktop entry with its icon.
#   <prefix>/opt/orlinar/{orlinar,orlinar-data,Cities.dbr,Streets.dbr,Phones.dbr}
#   <prefix>/usr/bin/orlinar -> ../../opt/orlinar/orlinar
#   <prefix>/usr/bin/orlinar-data -> ../../opt/orlinar/orlinar-data
#   <prefix>/usr/share/applications/orlinar.desktop
#   <prefix>/usr/share/icons/hicolor/scalable/apps/orlinar.svg

if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
  set(CMAKE_INSTALL_PREFIX "/" CACHE PATH "Install root" FORCE)
endif()

set(ORLINAR_INSTALL_DIR opt/orlinar)
set(data_files Cities.dbr Streets.dbr Phones.dbr)
list(TRANSFORM data_files PREPEND ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/)

install(TARGETS orlinar orlinar-data RUNTIME DESTINATION ${ORLINAR_INSTALL_DIR})
install(FILES ${data_files} DESTINATION ${ORLINAR_INSTALL_DIR})

# Relative, so that the links also work inside a staging or extraction root.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging)
foreach(program orlinar orlinar-data)
  file(CREATE_LINK ../../${ORLINAR_INSTALL_DIR}/${program} ${CMAKE_BINARY_DIR}/packaging/${program} SYMBOLIC)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/${program} DESTINATION usr/bin)
endforeach()

install(FILES ${CMAKE_SOURCE_DIR}/packaging/orlinar.desktop DESTINATION usr/share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/orlinar.svg DESTINATION usr/share/icons/hicolor/scalable/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orlinar)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Orlinar developers <dev@orlinar.local>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Telephone directory of a city's subscribers (Qt 6)")
set(CPACK_PACKAGE_DESCRIPTION
    "Orlinar searches a read-only directory of telephone subscribers by number, part of the name, city, street, house, corpus and flat, optionally with regular expressions, and shows the results in a sortable, groupable grid. A generated sample directory is included; replace the three .dbr files in /opt/orlinar with a real directory.")
set(CPACK_PACKAGING_INSTALL_PREFIX "/")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The platform plugins are loaded at run time, so the library scan cannot see them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wine")
include(CPack)

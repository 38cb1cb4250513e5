# Fails when a source file of the core includes a Qt header, or when a Qt library,
# include folder or definition reaches one of the core's targets.
# EXTRA_FILES are further files held to the same rule, outside those folders.
#   cmake -DSOURCE_DIR=... -DCORE_FOLDERS=src/a,src/b [-DEXTRA_FILES=f,g] -DUSAGE_FILE=... -P QtFreeCore.cmake
cmake_minimum_required(VERSION 3.25)
string(REPLACE "," ";" CORE_FOLDERS "${CORE_FOLDERS}")
string(REPLACE "," ";" EXTRA_FILES "${EXTRA_FILES}")

# Qt's headers: <QString>, <QtCore/qstring.h>, <qglobal.h>.
set(qt_include "^[ \t]*#[ \t]*include[ \t]*[<\"](Qt[A-Za-z]*/|Q[A-Z][A-Za-z]*[>\"]|q[a-z_]*\\.h[>\"])")
# Qt's targets, libraries, include folders and definitions.
set(qt_usage "Qt[56]?::|[Qq]t[56]|/qt[56]?/|QT_[A-Z]")

set(faults)
set(files_read 0)
set(sources ${EXTRA_FILES})
foreach(folder IN LISTS CORE_FOLDERS)
  file(GLOB_RECURSE folder_sources ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
  list(APPEND sources ${folder_sources})
endforeach()
foreach(source IN LISTS sources)
    math(EXPR files_read "${files_read} + 1")
    file(STRINGS ${source} includes REGEX "${qt_include}")
    foreach(line IN LISTS includes)
      file(RELATIVE_PATH name ${SOURCE_DIR} ${source})
      list(APPEND faults "${name} includes Qt: ${line}")
    endforeach()
endforeach()
if(files_read EQUAL 0)
  message(FATAL_ERROR "no source file found in ${CORE_FOLDERS} under ${SOURCE_DIR}")
endif()

if(NOT EXISTS ${USAGE_FILE})
  message(FATAL_ERROR "${USAGE_FILE} is missing: configure the build again")
endif()
file(STRINGS ${USAGE_FILE} usage)
if(NOT usage)
  message(FATAL_ERROR "${USAGE_FILE} lists no usage of the core targets")
endif()
# "<target> -> <linked target>: <item>"; past Qt's own targets everything is Qt's, so
# only the item itself counts.
foreach(line IN LISTS usage)
  string(FIND "${line}" ": " colon)
  math(EXPR item_start "${colon} + 2")
  string(SUBSTRING "${line}" ${item_start} -1 item)
  if(item MATCHES "${qt_usage}")
    list(APPEND faults "Qt reaches a core target: ${line}")
  endif()
endforeach()

if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "The core must build without Qt:\n  ${text}")
endif()
list(LENGTH usage usages)
message(STATUS "${files_read} core source files and ${usages} target usages free of Qt")

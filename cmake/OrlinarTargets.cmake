# Conventions shared by the test, benchmark and fuzz folders: every file named
# *Test.cpp, *QTest.cpp, *Bench.cpp or *Fuzz.cpp becomes an executable of its own,
# so that one folder can grow without touching its CMakeLists.txt.

# Folders join the build as soon as they hold a CMakeLists.txt.
function(orlinar_add_folders)
  foreach(dir IN LISTS ARGN)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()

# A static library of the *.cpp files in <folder>, if there are any; returns its
# name (or nothing) in <out>. Used for test helpers shared by several test files.
function(orlinar_support_library out name folder)
  file(GLOB sources CONFIGURE_DEPENDS ${folder}/*.cpp)
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARGN})
    set(${out} ${name} PARENT_SCOPE)
  else()
    set(${out} "" PARENT_SCOPE)
  endif()
endfunction()

# GoogleTest: one executable per *Test.cpp, linked to the given libraries.
function(orlinar_gtests prefix)
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*Test.cpp)
  list(FILTER tests EXCLUDE REGEX "QTest\\.cpp$")
  foreach(src IN LISTS tests)
    get_filename_component(stem ${src} NAME_WE)
    set(target ${prefix}_${stem})
    add_executable(${target} ${src})
    target_link_libraries(${target} PRIVATE ${ARGN} GTest::gtest_main GTest::gmock)
    gtest_discover_tests(${target} TEST_PREFIX "${prefix}." DISCOVERY_MODE PRE_TEST
                         PROPERTIES TIMEOUT 300)
  endforeach()
endfunction()

# Qt Test: one executable per *QTest.cpp (each with its own QTEST_MAIN), run headless.
function(orlinar_qtests prefix)
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*QTest.cpp)
  foreach(src IN LISTS tests)
    get_filename_component(stem ${src} NAME_WE)
    set(target ${prefix}_${stem})
    add_executable(${target} ${src})
    target_link_libraries(${target} PRIVATE ${ARGN} Qt6::Test)
    add_test(NAME ${prefix}.${stem} COMMAND ${target})
    # Qt and fontconfig keep caches for the process lifetime; leak reports there are noise.
    set_tests_properties(${prefix}.${stem} PROPERTIES TIMEOUT 300
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=0")
  endforeach()
endfunction()

# Google Benchmark: one executable per *Bench.cpp; not run by the tests.
function(orlinar_benchmarks prefix)
  file(GLOB benches CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*Bench.cpp)
  foreach(src IN LISTS benches)
    get_filename_component(stem ${src} NAME_WE)
    add_executable(${prefix}_${stem} ${src})
    target_link_libraries(${prefix}_${stem} PRIVATE ${ARGN} benchmark::benchmark)
  endforeach()
endfunction()

# Fuzz targets: one per *Fuzz.cpp. Every build turns each into a test that replays
# its checked-in inputs, seeds/<stem>/ and regressions/<stem>/, through replayMain;
# with ORLINAR_FUZZ (clang) each also becomes a libFuzzer executable.
function(orlinar_fuzzers prefix replayMain)
  file(GLOB fuzzers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*Fuzz.cpp)
  foreach(src IN LISTS fuzzers)
    get_filename_component(stem ${src} NAME_WE)
    set(replay ${prefix}_replay_${stem})
    add_executable(${replay} ${src} ${replayMain})
    target_link_libraries(${replay} PRIVATE ${ARGN})
    add_test(NAME ${prefix}.${stem} COMMAND ${replay}
             ${CMAKE_CURRENT_SOURCE_DIR}/seeds/${stem} ${CMAKE_CURRENT_SOURCE_DIR}/regressions/${stem})
    set_tests_properties(${prefix}.${stem} PROPERTIES TIMEOUT 300)
    if(ORLINAR_FUZZ)
      add_executable(${prefix}_${stem} ${src})
      target_compile_options(${prefix}_${stem} PRIVATE -fsanitize=fuzzer)
      target_link_options(${prefix}_${stem} PRIVATE -fsanitize=fuzzer)
      target_link_libraries(${prefix}_${stem} PRIVATE ${ARGN})
    endif()
  endforeach()
endfunction()

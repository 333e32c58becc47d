# googletest is built from Debian's source copy in both lanes, so that the
# win32 lane gets a mingw build of it and the native lane one with the same
# sanitizer flags as the code under test.
set(QX_GTEST_SOURCE "/usr/src/googletest" CACHE PATH "googletest sources")
if(NOT TARGET gtest)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(${QX_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
endif()

# One ctest entry per test program: under Wine a process start is the dear
# part, so each program runs its whole suite in one go.
#
# QX_RUN_WINDOWS_TESTS is off in the win32 lane: its test programs are built
# (so they stay compiling for the product's target) but run in the win64 lane.
option(QX_RUN_WINDOWS_TESTS "Register the Windows lane's test programs with ctest" ON)
if(QX_WIN32 AND NOT QX_RUN_WINDOWS_TESTS)
  set(QX_TESTS_RUN_HERE OFF)
else()
  set(QX_TESTS_RUN_HERE ON)
endif()
function(qx_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main GTest::gmock)
  if(NOT QX_TESTS_RUN_HERE)
    return()
  endif()
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES TIMEOUT 300)
endfunction()

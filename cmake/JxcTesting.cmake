# jxc_add_test(<name> SOURCES <files...> LIBS <targets...> [QT_MAIN])
# Every test executable is a GoogleTest binary registered with ctest.
# QT_MAIN gives it a main() that first makes an offscreen QApplication and
# a scripted user (tests/support); otherwise gtest's own main is used.
find_package(GTest REQUIRED)
include(GoogleTest)

function(jxc_add_test name)
  cmake_parse_arguments(ARG "QT_MAIN" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  if(ARG_QT_MAIN)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} jxc_testsupport jxc_testmain GTest::gtest)
  else()
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  endif()
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;JXC_SOURCE_DIR=${PROJECT_SOURCE_DIR};JXC_BINARY_DIR=${CMAKE_BINARY_DIR};JXC_PYTHON=/usr/bin/python3")
endfunction()

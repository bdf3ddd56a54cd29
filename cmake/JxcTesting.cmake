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

# jxc_add_folder_tests(<name>): one test executable of every *Test.cpp (and
# header) in the calling folder, on the whole program with the scripted
# user's main. The report templates are copied beside it, because pages
# load them from the program's folder.
function(jxc_add_folder_tests name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*Test.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*Support.cpp
       ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT sources)
    return()
  endif()
  jxc_add_test(${name} QT_MAIN SOURCES ${sources} LIBS jxc_app)
  file(GLOB templates CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/res/reports/*.grf)
  if(templates)
    add_custom_command(TARGET ${name} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${templates} $<TARGET_FILE_DIR:${name}>)
  endif()
endfunction()

# jxc_add_folder_benches(): one benchmark executable per *Bench.cpp in the
# calling folder, on the whole program and the generated shop. Not tests:
# each prints its figures and one line per goal.
function(jxc_add_folder_benches)
  file(GLOB benches CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*Bench.cpp)
  file(GLOB helpers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*Support.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  foreach(bench ${benches})
    get_filename_component(stem ${bench} NAME_WE)
    string(REGEX REPLACE "Bench$" "" stem ${stem})
    string(TOLOWER ${stem} stem)
    set(target ${stem}_bench)
    add_executable(${target} ${bench} ${helpers})
    target_link_libraries(${target} PRIVATE jxc_benchshop jxc_app Qt6::Test)
    add_dependencies(${target} jxc_runtime_files)
  endforeach()
endfunction()

# One library per folder. ktreva_folder(NAME SOURCES... [PUBLIC libs] [PRIVATE
# libs]) makes ktreva_NAME of the folder it is called from. Its headers are
# included as "NAME/FILE.h" through an include root of its own, a link in the
# build tree to this folder alone; a library sees the headers of the folders
# it links and no others, so an include against the direction of the links
# fails to build.
function(ktreva_folder name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "PUBLIC;PRIVATE")
  set(target ktreva_${name})
  add_library(${target} STATIC ${arg_UNPARSED_ARGUMENTS})
  set(root ${PROJECT_BINARY_DIR}/include/${name})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${name} RESULT linked SYMBOLIC)
  if(NOT linked STREQUAL "0")
    # No symbolic links here (Windows without the right): the build works,
    # but without the check.
    set(root ${CMAKE_CURRENT_SOURCE_DIR}/..)
  endif()
  target_include_directories(${target} PUBLIC ${root})
  target_link_libraries(${target} PUBLIC ${arg_PUBLIC} PRIVATE ${arg_PRIVATE})
endfunction()

# ktreva_tests(NAME LABEL SOURCES... [USES libs]): the test program
# ktreva_NAME_tests, GoogleTest through CTest with the label LABEL. Tests may
# use every folder and the helpers of tests/support, and USES besides.
function(ktreva_tests name label)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "USES")
  set(target ktreva_${name}_tests)
  add_executable(${target} ${arg_UNPARSED_ARGUMENTS})
  target_link_libraries(${target} PRIVATE ${arg_USES} ktreva_test_support GTest::gtest_main
                                          GTest::gmock)
  # Tests that read the example files find them here.
  target_compile_definitions(${target} PRIVATE KTREVA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  target_compile_options(${target} PRIVATE ${KTREVA_TEST_COMPILE_OPTIONS})
  if(MINGW)
    target_link_options(${target} PRIVATE -static)
  endif()
  if(CMAKE_CROSSCOMPILING_EMULATOR)
    # CMake reads the test list from the program's output, which must come
    # back with LF line ends (see scripts/wine-run.sh).
    set_target_properties(${target} PROPERTIES
      CROSSCOMPILING_EMULATOR "${CMAKE_CROSSCOMPILING_EMULATOR};--gtest")
  endif()
  gtest_discover_tests(${target} PROPERTIES LABELS ${label}
                       DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60)
endfunction()

# merivan_end_to_end_tests(name SOURCES ... LIBS ... [ENVIRONMENT NAME=VALUE ...]):
# a GoogleTest binary whose tests run the real merivan binary (RunMerivan,
# without a display).
function(merivan_end_to_end_tests name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE merivan_run_support ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  merivan_test_definitions(${name})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "LOCPATH=${PROJECT_BINARY_DIR}/locales;${ARG_ENVIRONMENT}")
endfunction()

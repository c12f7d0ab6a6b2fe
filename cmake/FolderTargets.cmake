# One library per source folder: every *.cpp in it except *_test.cpp, *_fuzz.cpp
# and the files named in EXCLUDE. Unit tests (*_test.cpp) beside the sources
# become one GoogleTest binary per folder, so adding a file needs no CMake edit.
function(folder_library name)
  cmake_parse_arguments(ARG "" "" "LIBS;EXCLUDE;TEST_LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(FILTER sources EXCLUDE REGEX "_(test|fuzz)\\.cpp$")
  foreach(excluded ${ARG_EXCLUDE})
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${excluded})
  endforeach()
  if(sources)
    add_library(${name} STATIC ${sources})
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${ARG_LIBS})
  endif()
  if(MERIVAN_TESTS)
    file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
    if(tests)
      add_executable(${name}_tests ${tests})
      target_include_directories(${name}_tests PRIVATE ${MERIVAN_TESTS_ROOT})
      target_link_libraries(${name}_tests PRIVATE ${name} ${ARG_TEST_LIBS}
        GTest::gtest GTest::gmock GTest::gtest_main)
      merivan_test_definitions(${name}_tests)
      gtest_discover_tests(${name}_tests DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "LOCPATH=${PROJECT_BINARY_DIR}/locales")
    endif()
  endif()
endfunction()

# Paths that tests need: the sources, the shared table corpus, the build folder
# (and its locales, built with the test).
function(merivan_test_definitions target)
  target_compile_definitions(${target} PRIVATE
    MERIVAN_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    MERIVAN_SHARED_DIR="${PROJECT_SOURCE_DIR}/../shared"
    MERIVAN_BINARY_DIR="${PROJECT_BINARY_DIR}")
  add_dependencies(${target} merivan_locales)
endfunction()

# Adds every immediate subfolder of the current folder that has a CMakeLists.txt.
function(add_child_folders)
  file(GLOB children LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(child ${children})
    if(IS_DIRECTORY ${child} AND EXISTS ${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

# A libFuzzer target `name` from <name>.cpp in the current folder over the
# folder's library `lib`, built only with MERIVAN_FUZZ (clang; scripts/fuzz.sh).
# The library itself carries the coverage instrumentation.
function(folder_fuzz_target name lib)
  if(MERIVAN_FUZZ)
    target_compile_options(${lib} PRIVATE -fsanitize=fuzzer-no-link)
    add_executable(${name} ${name}.cpp)
    target_include_directories(${name} PRIVATE ${MERIVAN_TESTS_ROOT})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(${name} PRIVATE ${lib})
  endif()
endfunction()

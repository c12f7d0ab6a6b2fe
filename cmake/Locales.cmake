# The glibc locales the tests and the sample run in, compiled into
# <build>/locales by scripts/make-locales.sh; the tests point LOCPATH there.
# Part of the default build when the tests are built, so every build folder
# tests as it is; test targets depend on it (merivan_test_definitions).
set(MERIVAN_LOCALES_DIR ${PROJECT_BINARY_DIR}/locales)
add_custom_command(OUTPUT ${MERIVAN_LOCALES_DIR}/.stamp
  COMMAND ${PROJECT_SOURCE_DIR}/scripts/make-locales.sh ${MERIVAN_LOCALES_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${MERIVAN_LOCALES_DIR}/.stamp
  DEPENDS ${PROJECT_SOURCE_DIR}/scripts/make-locales.sh
  COMMENT "Compiling the locales into ${MERIVAN_LOCALES_DIR}"
  VERBATIM)
if(MERIVAN_TESTS)
  add_custom_target(merivan_locales ALL DEPENDS ${MERIVAN_LOCALES_DIR}/.stamp)
else()
  add_custom_target(merivan_locales DEPENDS ${MERIVAN_LOCALES_DIR}/.stamp)
endif()

# What `cmake --install` puts where, and the Debian package made from it by
# `cpack -G DEB`: merivan into bin, libcorvane.so into the multiarch JNI
# folder that Debian's JVMs have on their java.library.path, the manual page
# and README.
include(GNUInstallDirs)

if(CMAKE_LIBRARY_ARCHITECTURE)
  set(jni_dir lib/${CMAKE_LIBRARY_ARCHITECTURE}/jni)
else()
  set(jni_dir lib/jni)
endif()
set(MERIVAN_INSTALL_JNIDIR ${jni_dir} CACHE STRING "Folder under the prefix for libcorvane.so (the Java host's java.library.path)")
set(MERIVAN_INSTALL_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/merivan)

install(TARGETS merivan RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(MERIVAN_CORVANE)
  install(TARGETS corvane LIBRARY DESTINATION ${MERIVAN_INSTALL_JNIDIR})
endif()

# Debian keeps manual pages compressed (gzip -n: no name or time inside, so
# the same page gives the same bytes).
find_program(MERIVAN_GZIP gzip REQUIRED)
set(man_page ${PROJECT_BINARY_DIR}/doc/merivan.1.gz)
add_custom_command(OUTPUT ${man_page}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/doc
  COMMAND ${MERIVAN_GZIP} -9nc ${PROJECT_SOURCE_DIR}/doc/merivan.1 > ${man_page}
  DEPENDS ${PROJECT_SOURCE_DIR}/doc/merivan.1
  COMMENT "Compressing the manual page merivan(1)")
add_custom_target(merivan_man_page ALL DEPENDS ${man_page})
install(FILES ${man_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${MERIVAN_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME merivan)
set(CPACK_PACKAGE_VENDOR "merivan developers")
set(CPACK_PACKAGE_CONTACT "merivan developers <maintainers@users.noreply.c-seed-a96e5022.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "table export to ANSI delimited text, and a JNI library for ODBC data sources")
set(CPACK_PACKAGE_DESCRIPTION "merivan exports one Paradox, dBASE or text table to semicolon-separated
text in the Windows ANSI code page of the user's locale, showing a progress
window on X11. libcorvane.so lets a Java host list, add and remove ODBC data
sources and list ODBC drivers through unixODBC.")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps finds the linked libraries' packages (ICU, X11, Xft,
# fontconfig, FreeType, unixODBC's driver manager). Not linked, so named here:
# the installer library corvane opens on the first registration, and the font
# the progress window and the message box draw with.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
if(MERIVAN_CORVANE)
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", libodbcinst2")
endif()
include(CPack)

# The Linux install tree and its Debian package. `cmake --install <folder>`
# lays out <prefix>/bin/korvan and korvan-sim, the virtual LCD in
# lib/korvan/, the icon sets in share/korvan/images/, the sample
# configuration, read-me and copyright (LICENSE's terms) in
# share/doc/korvan/, the manual pages and the systemd user unit. The program finds the plug-in and the
# icon sets from its own folder, so any prefix works.
# `cpack -G DEB` in a build folder writes korvan_<version>_<arch>.deb for
# /usr (scripts/package-deb.sh is the whole way, with lintian).
set(KORVAN_DEB_MAINTAINER "Korvan maintainers <maintainers@users.noreply.c-seed-381225bc.example>"
    CACHE STRING "Maintainer field of the Debian package and its changelog")

install(TARGETS korvan korvan-sim RUNTIME DESTINATION bin)
install(TARGETS lcd-virtual LIBRARY DESTINATION lib/korvan)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/assets/images DESTINATION share/korvan)
set(korvan_packaged ${CMAKE_BINARY_DIR}/package)

# Debian's machine-readable copyright file: a licence paragraph indents
# each line by one space and writes an empty line as " .".
string(REPLACE "\n\n" "\n.\n" korvan_terms "${KORVAN_LICENCE_TERMS}")
string(REPLACE "\n" "\n " KORVAN_LICENSE_TEXT " ${korvan_terms}")
configure_file(${PROJECT_SOURCE_DIR}/assets/linux/copyright.in ${korvan_packaged}/copyright @ONLY)
set(CPACK_RESOURCE_FILE_LICENSE ${KORVAN_LICENCE_FILE})

install(FILES ${PROJECT_SOURCE_DIR}/assets/windows/LCD_Korvan.ini ${PROJECT_SOURCE_DIR}/README.md
              ${korvan_packaged}/copyright
        DESTINATION share/doc/korvan)

# Manual pages and the changelog are shipped compressed as Debian wants
# them: best compression, no name or time stamp in the gzip header.
configure_file(${PROJECT_SOURCE_DIR}/assets/linux/changelog ${korvan_packaged}/changelog @ONLY)
set(korvan_gzipped)
foreach(source doc/korvan.1 doc/korvan-sim.1 ${korvan_packaged}/changelog)
  get_filename_component(name ${source} NAME)
  get_filename_component(source ${source} ABSOLUTE BASE_DIR ${PROJECT_SOURCE_DIR})
  add_custom_command(OUTPUT ${korvan_packaged}/${name}.gz
                     COMMAND gzip -9n -c ${source} > ${korvan_packaged}/${name}.gz
                     DEPENDS ${source} VERBATIM)
  list(APPEND korvan_gzipped ${korvan_packaged}/${name}.gz)
endforeach()
add_custom_target(korvan_packaged_docs ALL DEPENDS ${korvan_gzipped})
install(FILES ${korvan_packaged}/korvan.1.gz ${korvan_packaged}/korvan-sim.1.gz
        DESTINATION share/man/man1)
install(FILES ${korvan_packaged}/changelog.gz DESTINATION share/doc/korvan)

# The unit names the program by its installed path, which is only known at
# install time: cpack installs under its own prefix (/usr), whatever the
# build folder was configured with.
install(CODE "
  set(unit \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/lib/systemd/user/korvan.service\")
  message(STATUS \"Installing: \${unit}\")
  file(READ \"${PROJECT_SOURCE_DIR}/assets/linux/korvan.service.in\" text)
  string(REPLACE \"@BINDIR@\" \"\${CMAKE_INSTALL_PREFIX}/bin\" text \"\${text}\")
  file(WRITE \"\${unit}\" \"\${text}\")
")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korvan)
set(CPACK_PACKAGE_CONTACT "${KORVAN_DEB_MAINTAINER}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The screens' face is Liberation Sans, found through fontconfig at run time.
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# CPack also calls ldconfig from postinst and postrm, as the plug-in is a
# .so under /usr/lib; lintian warns (maintscript-calls-ldconfig), harmlessly.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "flight-simulator data on a gaming keyboard's LCD")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Korvan polls a flight simulator over UDP and shows live flight data (speeds,
altitude, fuel, a countdown, a bomb-sight calculator and the aircraft's
indicators) on the 160 x 43 monochrome LCD of a gaming keyboard. Frames reach
the LCD through a service plug-in; the virtual LCD shipped here shows them in
a web browser. Also included: korvan-sim, a simulator stand-in for trying it
out, and a systemd user unit.")
include(CPack)

# The Windows release zip and setup program: the programs, the service
# plug-in, the icon sets, a sample configuration, a short read-me and the
# licence. `cpack -G ZIP` in the build folder writes korvan-<version>-win64.zip
# (or -win32.zip), a folder a person unzips and runs; `cpack -G NSIS` writes
# korvan-<version>-win64-setup.exe from cmake/nsis/NSIS.template.in (needs
# makensis).

# The setup is a 64-bit program for the 64-bit build, so it runs only where
# that build can.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(KORVAN_WINDOWS_FLAVOUR win64)
  set(CPACK_KORVAN_NSIS_TARGET amd64-unicode)
else()
  set(KORVAN_WINDOWS_FLAVOUR win32)
  set(CPACK_KORVAN_NSIS_TARGET x86-unicode)
endif()

install(TARGETS korvan korvan-sim lcd-virtual RUNTIME DESTINATION . LIBRARY DESTINATION .)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/assets/images DESTINATION .)
# Notepad users get Windows line ends whatever the checkout did to them.
foreach(file assets/windows/LCD_Korvan.ini assets/windows/README-Windows.txt LICENSE)
  get_filename_component(name ${file} NAME)
  if(name STREQUAL "LICENSE")
    set(name LICENSE.txt)  # opened by a double click
  endif()
  set(packaged ${CMAKE_BINARY_DIR}/package/${name})
  configure_file(${PROJECT_SOURCE_DIR}/${file} ${packaged} @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${packaged} DESTINATION .)
endforeach()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME korvan)
set(CPACK_PACKAGE_FILE_NAME korvan-${PROJECT_VERSION}-${KORVAN_WINDOWS_FLAVOUR})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_BINARY_DIR}/package/LICENSE.txt)
set(CPACK_KORVAN_COPYRIGHT "${KORVAN_COPYRIGHT}")
set(CPACK_MODULE_PATH ${PROJECT_SOURCE_DIR}/cmake/nsis)
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/nsis/SetupOptions.cmake)
include(CPack)

# The Windows release zip: the programs, the service plug-in, the icon sets,
# a sample configuration and a short read-me, in one folder a person unzips
# and runs. `cmake --build <folder> --target package` writes
# korvan-<version>-win64.zip (or -win32.zip) into the build folder.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(KORVAN_WINDOWS_FLAVOUR win64)
else()
  set(KORVAN_WINDOWS_FLAVOUR win32)
endif()

install(TARGETS korvan korvan-sim lcd-virtual RUNTIME DESTINATION . LIBRARY DESTINATION .)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/assets/images DESTINATION .)
# Notepad users get Windows line ends whatever the checkout did to them.
foreach(file LCD_Korvan.ini README-Windows.txt)
  configure_file(${PROJECT_SOURCE_DIR}/assets/windows/${file} ${CMAKE_BINARY_DIR}/package/${file}
                 @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${CMAKE_BINARY_DIR}/package/${file} DESTINATION .)
endforeach()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME korvan)
set(CPACK_PACKAGE_FILE_NAME korvan-${PROJECT_VERSION}-${KORVAN_WINDOWS_FLAVOUR})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)

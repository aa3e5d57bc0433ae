# Read by cpack for each generator. The setup program is
# korvan-<version>-win64-setup.exe beside the zip of the same name, and holds
# the files themselves, not a folder of them.
if(CPACK_GENERATOR STREQUAL "NSIS")
  string(APPEND CPACK_PACKAGE_FILE_NAME "-setup")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
endif()

# The licence's facts, read from LICENSE at the root so it is the only place
# they are written: KORVAN_COPYRIGHT ("2026 The Korvan developers"), its
# holder KORVAN_COPYRIGHT_HOLDER, and KORVAN_LICENCE_TERMS (the text from
# "Permission" on). Both packages name the file to CPack.
set(KORVAN_LICENCE_FILE ${PROJECT_SOURCE_DIR}/LICENSE)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${KORVAN_LICENCE_FILE})
file(READ ${KORVAN_LICENCE_FILE} korvan_licence)
if(NOT korvan_licence MATCHES "Copyright \\(c\\) (([0-9]+) ([^\n]+))")
  message(FATAL_ERROR "LICENSE has no \"Copyright (c) <year> <holder>\" line")
endif()
set(KORVAN_COPYRIGHT "${CMAKE_MATCH_1}")
set(KORVAN_COPYRIGHT_HOLDER "${CMAKE_MATCH_3}")
string(FIND "${korvan_licence}" "Permission" korvan_terms_start)
string(SUBSTRING "${korvan_licence}" ${korvan_terms_start} -1 KORVAN_LICENCE_TERMS)
string(STRIP "${KORVAN_LICENCE_TERMS}" KORVAN_LICENCE_TERMS)
set(CPACK_PACKAGE_VENDOR "${KORVAN_COPYRIGHT_HOLDER}")

# Writes the web panel's files into a C++ source as bytes, so the plug-in
# carries its page: cmake -DOUTPUT=file.cpp -DFILES="a;b" -P EmbedPage.cmake
# The source defines PanelFiles() of PanelPage.h, each file by its name.
set(definitions "")
set(table "")
set(index 0)
foreach(path IN LISTS FILES)
  get_filename_component(name "${path}" NAME)
  file(READ "${path}" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  # Lines of 16 bytes, so the source stays readable in an editor.
  string(REPEAT "0x..," 16 line)
  string(REGEX REPLACE "(${line})" "\\1\n    " bytes "${bytes}")
  string(APPEND definitions "const unsigned char kFile${index}[] = {\n    ${bytes}};\n")
  string(APPEND table "    {\"${name}\", Text(kFile${index}, sizeof kFile${index})},\n")
  math(EXPR index "${index} + 1")
endforeach()
file(CONFIGURE OUTPUT "${OUTPUT}.new" @ONLY CONTENT [[
// Made from services/virtual-lcd/panel/page/ by EmbedPage.cmake at build time.
#include "services/virtual-lcd/panel/PanelPage.h"

namespace korvan::virtual_lcd {
namespace {

std::string_view Text(const unsigned char* bytes, std::size_t size) {
  return {reinterpret_cast<const char*>(bytes), size};
}

@definitions@
const PanelFile kFiles[] = {
@table@};

}  // namespace

std::span<const PanelFile> PanelFiles() {
  return kFiles;
}

}  // namespace korvan::virtual_lcd
]])
# Replaced only when it changed, so an unchanged page compiles nothing.
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")

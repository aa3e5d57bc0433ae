# Fails unless the plug-in's only export is GetInterface:
#   cmake -DTOOL=nm-or-objdump -DPLUGIN=file -P CheckExports.cmake
# nm lists a Linux library's dynamic symbols; objdump a DLL's export table,
# whose names are the lines "[ordinal] name" of its name pointer table.
if(TOOL MATCHES "objdump")
  execute_process(COMMAND ${TOOL} -p ${PLUGIN} OUTPUT_VARIABLE listing RESULT_VARIABLE failed)
  string(FIND "${listing}" "[Ordinal/Name Pointer] Table\n" at)
  string(SUBSTRING "${listing}" ${at} -1 table)
  string(FIND "${table}" "\n\n" end)
  string(SUBSTRING "${table}" 0 ${end} table)
  string(REGEX MATCHALL "\\[ *[0-9]+\\] [^\n]+" exports "${table}")
else()
  execute_process(COMMAND ${TOOL} -D --defined-only ${PLUGIN}
                  OUTPUT_VARIABLE listing RESULT_VARIABLE failed)
  string(REGEX MATCHALL "[^\n]+" exports "${listing}")
endif()
list(TRANSFORM exports REPLACE ".* " "")
if(failed OR NOT exports STREQUAL "GetInterface")
  message(FATAL_ERROR "${PLUGIN} exports [${exports}], not GetInterface alone\n${listing}")
endif()

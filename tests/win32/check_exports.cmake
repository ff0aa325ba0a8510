# Checks the 32-bit lobrix.dll without running it: the export table holds exactly the plain
# names a foreign caller looks up, and each function removes its own arguments (stdcall: `ret N`
# with N the argument bytes). Runs on the build machine, so it holds where Wine cannot start
# 32-bit programs.
# Usage: cmake -DDLL=lobrix.dll -DOBJDUMP=i686-w64-mingw32-objdump -P check_exports.cmake
set(expected ANT3D=28 ANT93=12 CPRINT=4 EDITANTVA=4 VERANT=4 ZISKANTVA=8)

execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE headers RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cannot read ${DLL}")
endif()
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n([^\n]+\n)+" table "${headers}")
string(REGEX MATCHALL "\\[ *[0-9]+\\] [^\n]+" rows "${table}")
set(names)
foreach(row IN LISTS rows)
  string(REGEX REPLACE "^\\[ *[0-9]+\\] " "" name "${row}")
  list(APPEND names "${name}")
endforeach()

set(wanted)
foreach(pair IN LISTS expected)
  string(REPLACE "=" ";" pair "${pair}")
  list(GET pair 0 name)
  list(GET pair 1 bytes)
  list(APPEND wanted ${name})
  math(EXPR hex "${bytes}" OUTPUT_FORMAT HEXADECIMAL)
  execute_process(COMMAND ${OBJDUMP} -d "--disassemble=_${name}@${bytes}" ${DLL}
                  OUTPUT_VARIABLE code)
  if(NOT code MATCHES "ret +\\$${hex}")
    message(FATAL_ERROR "${name} does not end with ret ${hex}: not stdcall with ${bytes} argument bytes")
  endif()
endforeach()

list(SORT names)
if(NOT names STREQUAL wanted)
  message(FATAL_ERROR "lobrix.dll exports [${names}], expected exactly [${wanted}]")
endif()
message(STATUS "lobrix.dll exports ${names}, each stdcall")

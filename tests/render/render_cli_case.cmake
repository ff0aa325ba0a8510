# One run of "lobrix render": cmake -DLOBRIX=<exe> -DARGS=<;-list> -DRC=<status> [-DTEXT=<regex>]
#   [-DFILE=<path>] -P render_cli_case.cmake
# Passes when the exit status is RC, standard error matches TEXT (if given) and FILE (if given)
# was written and is not empty.
if(FILE)
  file(REMOVE "${FILE}")
endif()
execute_process(COMMAND "${LOBRIX}" render ${ARGS} RESULT_VARIABLE status ERROR_VARIABLE err
                OUTPUT_VARIABLE out)
if(NOT status EQUAL RC)
  message(FATAL_ERROR "exit status ${status}, expected ${RC}; stderr: ${err}")
endif()
if(TEXT AND NOT err MATCHES "${TEXT}")
  message(FATAL_ERROR "stderr does not match '${TEXT}': ${err}")
endif()
if(FILE)
  file(SIZE "${FILE}" size)
  if(size EQUAL 0)
    message(FATAL_ERROR "${FILE} is empty")
  endif()
endif()

# Replays one event file through sorvanto-trace in a scratch folder and compares what it
# prints and its exit status with the expected ones.
#   -DTOOL=... -DTRACE=....trace -DEXPECTED=....expected -DERRORS=....errors -DSTATUS=n
#   [-DTABLE=table.txt]
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
if(DEFINED TABLE)
  file(COPY "${TABLE}" DESTINATION "${WORK}")
endif()
execute_process(COMMAND "${TOOL}"
  INPUT_FILE "${TRACE}" WORKING_DIRECTORY "${WORK}"
  OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
file(READ "${EXPECTED}" expected)
if(NOT status STREQUAL STATUS)
  message(FATAL_ERROR "exit status ${status}, expected ${STATUS}; standard error:\n${errors}")
endif()
if(NOT output STREQUAL expected)
  message(FATAL_ERROR "output differs.\n--- printed:\n${output}--- expected:\n${expected}")
endif()
if(EXISTS "${ERRORS}")
  file(READ "${ERRORS}" expected_errors)
  if(NOT errors STREQUAL expected_errors)
    message(FATAL_ERROR "standard error differs.\n--- printed:\n${errors}--- expected:\n${expected_errors}")
  endif()
elseif(NOT STATUS EQUAL 0 AND errors STREQUAL "")
  message(FATAL_ERROR "a failing run must say why on standard error")
endif()

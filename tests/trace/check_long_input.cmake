# Inputs too large to keep beside the other event files, made here: runs of N and 2N
# moving ticks, whose outputs must grow about twofold (each drawn number is printed as the
# text it adds, not the whole result box again), and an event line past the tool's bound,
# refused with its line number.
#   -DTOOL=... -DTABLE=table.txt -DWORK=folder
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(COPY "${TABLE}" DESTINATION "${WORK}")

function(replay name text)
  file(WRITE "${WORK}/${name}.trace" "${text}")
  execute_process(COMMAND "${TOOL}" INPUT_FILE "${WORK}/${name}.trace"
    OUTPUT_FILE "${WORK}/${name}.out" ERROR_VARIABLE errors RESULT_VARIABLE status
    WORKING_DIRECTORY "${WORK}")
  file(SIZE "${WORK}/${name}.out" size)
  set(status "${status}" PARENT_SCOPE)
  set(errors "${errors}" PARENT_SCOPE)
  set(size "${size}" PARENT_SCOPE)
endfunction()

foreach(ticks 1500 3000)
  math(EXPR pairs "${ticks} / 2")
  string(REPEAT "move 15 0\ntick 0.5\nmove 0 0\ntick 0.5\n" ${pairs} moves)
  replay(ticks${ticks} "click\n${moves}")
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ticks} ticks: exit status ${status}:\n${errors}")
  endif()
  set(size${ticks} ${size})
endforeach()
math(EXPR percent "100 * ${size3000} / ${size1500}")
if(percent LESS 180 OR percent GREATER 220)
  message(FATAL_ERROR "twice the ticks give ${percent}% of the output (${size1500} -> ${size3000} bytes)")
endif()

# The longest line the tool takes, 65536 bytes, then one byte more.
string(REPEAT "x" 65531 word)
replay(long_line "type ${word}\ntype x${word}\n")
if(NOT status EQUAL 2 OR NOT errors STREQUAL
   "sorvanto-trace: input line 2: the line is longer than 65536 bytes\n")
  message(FATAL_ERROR "exit status ${status}, standard error:\n${errors}")
endif()

# Writes the menu entry for the prefix chosen at install time: the program's path goes
# into Exec= as one quoted argument and the table's folder into Path= as a string, each
# escaped as freedesktop.org's desktop entry format asks, so that a prefix with a blank
# (or a quote, a backslash or a percent sign) still gives an entry that starts the program.
# Expects SORVANTO_APP_ID, SORVANTO_PROGRAM, SORVANTO_TABLE_DIR, SORVANTO_ENTRY_TEMPLATE
# and SORVANTO_ENTRY.

# A value of type string: a backslash is written as two.
function(desktop_string value out)
  string(REPLACE "\\" "\\\\" value "${value}")
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

# One argument of Exec=: within double quotes, with a backslash before each of " ` $ \
# and % doubled; then escaped as any string value, so that a backslash ends up as four.
function(desktop_exec_argument value out)
  string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" value "${value}")
  string(REPLACE "%" "%%" value "${value}")
  desktop_string("\"${value}\"" value)
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

desktop_exec_argument("${SORVANTO_PROGRAM}" SORVANTO_EXEC)
desktop_string("${SORVANTO_TABLE_DIR}" SORVANTO_PATH)
configure_file("${SORVANTO_ENTRY_TEMPLATE}" "${SORVANTO_ENTRY}" @ONLY)

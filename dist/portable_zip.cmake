# Packs the files that the installer holds into the portable download beside it,
# Sorvanto-<version>-win64.zip: one folder of that name, to unpack anywhere and run from.
# CPack runs it once the installer is made (CPACK_POST_BUILD_SCRIPTS), with the installer's
# files gathered in CPACK_TEMPORARY_DIRECTORY.
#
# The same files give the same bytes: the members go in in the order of their names,
# each dated SOURCE_DATE_EPOCH (in UTC, as a zip stores local time), with zip's -X, which
# leaves out the owner and the other times that it would store besides.
find_program(ZIP zip REQUIRED)
find_program(TOUCH touch REQUIRED)
set(zip_file "${CPACK_PACKAGE_DIRECTORY}/${CPACK_PACKAGE_FILE_NAME}.zip")
set(scratch "${CPACK_TOPLEVEL_DIRECTORY}/portable-zip")

file(REMOVE_RECURSE "${scratch}")
file(REMOVE "${zip_file}")
file(COPY "${CPACK_TEMPORARY_DIRECTORY}" DESTINATION "${scratch}")
file(GLOB_RECURSE members RELATIVE "${scratch}" "${scratch}/*")
list(SORT members)
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  execute_process(COMMAND ${TOUCH} -d "@$ENV{SOURCE_DATE_EPOCH}" ${members}
    WORKING_DIRECTORY "${scratch}" COMMAND_ERROR_IS_FATAL ANY)
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${ZIP} -q -X -D -9 "${zip_file}" ${members}
  WORKING_DIRECTORY "${scratch}" COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE_RECURSE "${scratch}")
message(STATUS "Portable zip: ${zip_file}")

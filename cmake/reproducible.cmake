# Makes the build give the same bytes wherever and whenever it runs, for one commit.
#
# Tools that would store the time of the build (Qt's resource compiler keeps every file's
# time, the linker for Windows a time stamp, CPack the archive members' dates) take
# SOURCE_DATE_EPOCH instead. Unless the environment sets it, it is the time of the last
# commit, which is what a fresh clone of that commit has too. The value is taken when CMake
# configures; a build that carries on after a new commit keeps the older time, which
# changes nothing but dates.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(SORVANTO_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
  find_program(GIT git)
  if(GIT)
    execute_process(COMMAND ${GIT} -C ${PROJECT_SOURCE_DIR} log -1 --format=%ct
      OUTPUT_VARIABLE SORVANTO_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE
      ERROR_QUIET)
  endif()
endif()

if(SORVANTO_SOURCE_DATE_EPOCH)
  set(ENV{SOURCE_DATE_EPOCH} ${SORVANTO_SOURCE_DATE_EPOCH})
  # The generators and linkers run from the build tool, outside this process: each of
  # their commands starts with the time in its environment.
  set(launcher "${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${SORVANTO_SOURCE_DATE_EPOCH}")
  set_property(GLOBAL PROPERTY RULE_LAUNCH_CUSTOM "${launcher}")
  set_property(GLOBAL PROPERTY RULE_LAUNCH_LINK "${launcher}")
  # CPack runs later still, as a program of its own; it reads this file first.
  set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/source-date.cpack.cmake)
  file(CONFIGURE OUTPUT ${CPACK_PROJECT_CONFIG_FILE} CONTENT [[
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  set(ENV{SOURCE_DATE_EPOCH} @SORVANTO_SOURCE_DATE_EPOCH@)
endif()
]] @ONLY)
endif()

# The source folder's path goes into the debugging information, the build ID computed over
# it and the file names that assertions print: it is written as "." there, so that a build
# folder inside the source folder, as the README has it, makes the same bytes in any place.
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.)

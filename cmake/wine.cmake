# Runs the Windows test programs under Wine: ctest, and gtest_discover_tests when it asks
# a test program for its cases, start each one through wine-run.sh in the build folder,
# which gives Wine a prefix of the build's own and the DLLs' folders as search path.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-runtime.cmake)
find_program(WINE wine REQUIRED)
find_program(WINESERVER wineserver REQUIRED)

# Wine shows the host's root directory as drive Z: and wants Windows paths here.
set(wine_dirs "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}")
foreach(dll IN LISTS SORVANTO_MINGW_RUNTIME_DLLS)
  get_filename_component(dir "${dll}" DIRECTORY)
  list(APPEND wine_dirs "${dir}")
endforeach()
list(REMOVE_DUPLICATES wine_dirs)
list(TRANSFORM wine_dirs PREPEND "Z:")
string(REPLACE "/" "\\" SORVANTO_WINEPATH "${wine_dirs}")
set(SORVANTO_WINEPREFIX "${CMAKE_BINARY_DIR}/wine-prefix")
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh @ONLY)
file(CHMOD ${CMAKE_BINARY_DIR}/wine-run.sh
  PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
# Asking for the cases when the tests run, not after every link, keeps Wine out of the
# build itself.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)

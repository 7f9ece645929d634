# Cross-builds Sorvanto for 64-bit Windows: Debian's MinGW-w64 g++, a Qt built with it
# (scripts/build-qt-mingw.sh), and the host tools (moc, rcc, uic) of Debian's own Qt of
# the same version.
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
#         [-DSORVANTO_QT_MINGW_DIR=/path/to/qt]
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-gcc.cmake)

get_filename_component(_sorvanto_default_qt "${CMAKE_CURRENT_LIST_DIR}/../../shared/qt6-mingw/qt"
  ABSOLUTE)
set(SORVANTO_QT_MINGW_DIR "${_sorvanto_default_qt}" CACHE PATH
  "The Qt for Windows to build against (scripts/build-qt-mingw.sh makes one)")
set(QT_HOST_PATH /usr CACHE PATH "Where the Qt host tools are installed")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH
  "The CMake packages of the Qt host tools")

list(PREPEND CMAKE_PREFIX_PATH "${SORVANTO_QT_MINGW_DIR}/lib/cmake")
list(PREPEND CMAKE_FIND_ROOT_PATH "${SORVANTO_QT_MINGW_DIR}")

# shellcheck shell=bash disable=SC2034 # the variables are for the scripts that source this
# Sourced by the scripts that build for Windows: sets qt_mingw to the Qt for Windows they
# build against, QT_MINGW_DIR or else ../shared/qt6-mingw/qt beside the repository (as an
# absolute path), and qt_mingw_found to true or false by whether a Qt is there.
qt_mingw=$(realpath -m "${QT_MINGW_DIR:-../shared/qt6-mingw/qt}")
qt_mingw_found=false
[ ! -f "$qt_mingw/lib/cmake/Qt6/Qt6Config.cmake" ] || qt_mingw_found=true

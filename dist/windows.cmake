# What an installed Sorvanto for Windows consists of: the program, its default weight
# table beside it, and the libraries it loads; and the two downloads made of them, an
# installer made with Debian's nsis and a zip to run the same files from anywhere.

# Everything goes into one folder, so that Windows finds the DLLs next to the program and
# Qt finds its plugins in the program's own folder.
install(TARGETS sorvanto RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/examples/table.txt DESTINATION .)

# Exactly the Qt libraries and plugins the program loads: Core, Gui and Widgets, which it
# links; the platform plugin, without which no window opens; and the style that draws
# controls as the system's own do.
install(FILES $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets>
  DESTINATION .)
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)

# The compiler's own runtime, which the program and Qt link dynamically. Debian ships it
# with its debugging symbols, nine tenths of the C++ library's size; the installer takes
# it stripped.
include(${PROJECT_SOURCE_DIR}/cmake/mingw-runtime.cmake)
set(stripped_runtime)
foreach(dll IN LISTS SORVANTO_MINGW_RUNTIME_DLLS)
  get_filename_component(name "${dll}" NAME)
  set(stripped ${CMAKE_CURRENT_BINARY_DIR}/mingw-runtime/${name})
  add_custom_command(OUTPUT ${stripped}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/mingw-runtime
    COMMAND ${CMAKE_STRIP} --strip-unneeded -o ${stripped} ${dll}
    DEPENDS ${dll}
    VERBATIM)
  list(APPEND stripped_runtime ${stripped})
endforeach()
add_custom_target(sorvanto_mingw_runtime ALL DEPENDS ${stripped_runtime})
install(FILES ${stripped_runtime} DESTINATION .)

# The installer's pictures, drawn from the program's icon: the welcome and finish pages'
# panel, the field's yellow with the icon on it, and the icon at the right of every other
# page's header. NSIS takes 24-bit bitmaps of these sizes.
find_program(CONVERT convert REQUIRED NO_CMAKE_FIND_ROOT_PATH)
set(welcome_bitmap ${CMAKE_CURRENT_BINARY_DIR}/welcome.bmp)
set(header_bitmap ${CMAKE_CURRENT_BINARY_DIR}/header.bmp)
add_custom_command(OUTPUT ${welcome_bitmap}
  COMMAND ${CONVERT} -size 164x314 "xc:#ffff00" "(" ${SORVANTO_ICON_BITMAP_DIR}/icon-256.png
          -filter box -resize 128x128 ")" -gravity north -geometry +0+40 -composite
          -type TrueColor BMP3:${welcome_bitmap}
  DEPENDS ${SORVANTO_ICON_BITMAP_DIR}/icon-256.png
  VERBATIM)
add_custom_command(OUTPUT ${header_bitmap}
  COMMAND ${CONVERT} -size 150x57 xc:white ${SORVANTO_ICON_BITMAP_DIR}/icon-48.png
          -gravity east -geometry +4+0 -composite -type TrueColor BMP3:${header_bitmap}
  DEPENDS ${SORVANTO_ICON_BITMAP_DIR}/icon-48.png
  VERBATIM)

# The licence page shows the licence as a person reads it, made from the Debian package's
# copyright file, where it is written once.
set(licence ${CMAKE_CURRENT_BINARY_DIR}/licence.txt)
add_custom_command(OUTPUT ${licence}
  COMMAND ${CMAKE_COMMAND} -DCOPYRIGHT=${CMAKE_CURRENT_SOURCE_DIR}/copyright
          -DLICENCE=${licence} -P ${CMAKE_CURRENT_SOURCE_DIR}/licence_text.cmake
  DEPENDS copyright licence_text.cmake
  VERBATIM)
add_custom_target(sorvanto_installer_pages ALL DEPENDS ${welcome_bitmap} ${header_bitmap} ${licence})
add_dependencies(sorvanto_installer_pages sorvanto_icon_bitmaps)
# The copyright line of the installer's version information, from the same file.
file(STRINGS copyright copyright_line REGEX "^Copyright: " LIMIT_COUNT 1)
string(REPLACE "Copyright: " "Copyright " CPACK_SORVANTO_COPYRIGHT "${copyright_line}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS copyright)

# The installer's script is our own, NSIS.template.in here, which CPack takes from the
# module path; the values below are what it reads. The portable zip is made from the same
# files once the installer is.
list(APPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_SOURCE_DIR})
set(CPACK_GENERATOR NSIS)
set(CPACK_PACKAGE_NAME Sorvanto)
set(CPACK_PACKAGE_FILE_NAME ${SORVANTO_WINDOWS_INSTALLER})
set(CPACK_NSIS_MUI_ICON ${PROJECT_BINARY_DIR}/app/sorvanto.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_BINARY_DIR}/app/sorvanto.ico)
set(CPACK_NSIS_MUI_WELCOMEFINISHPAGE_BITMAP ${welcome_bitmap})
set(CPACK_NSIS_MUI_HEADERIMAGE ${header_bitmap})
set(CPACK_SORVANTO_LICENCE ${licence})
set(CPACK_SORVANTO_APP_ID ${SORVANTO_APP_ID})
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_SOURCE_DIR}/portable_zip.cmake)

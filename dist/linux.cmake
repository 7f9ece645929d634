# What an installed Sorvanto for Linux consists of: the program, its default weight
# table, the icon, menu entry and AppStream metadata that a Linux desktop lists it by, its
# manual page, copyright and changelog; and the Debian package made of them.
include(GNUInstallDirs)

set(table_dir ${CMAKE_INSTALL_DATADIR}/sorvanto)
install(TARGETS sorvanto)
install(FILES ${PROJECT_SOURCE_DIR}/examples/table.txt DESTINATION ${table_dir})

# The icon theme takes the drawing itself and, for desktops that want bitmaps, one for
# each size the desktop shows it at, rendered with the program's own (ui/).
set(icon_dir ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
set(icons ${icon_dir}/scalable/apps/${SORVANTO_APP_ID}.svg)
install(FILES ${SORVANTO_ICON_SVG}
  DESTINATION ${icon_dir}/scalable/apps RENAME ${SORVANTO_APP_ID}.svg)
foreach(size ${SORVANTO_ICON_SIZES})
  install(FILES ${SORVANTO_ICON_BITMAP_DIR}/icon-${size}.png
    DESTINATION ${icon_dir}/${size}x${size}/apps RENAME ${SORVANTO_APP_ID}.png)
  list(APPEND icons ${icon_dir}/${size}x${size}/apps/${SORVANTO_APP_ID}.png)
endforeach()

# The menu entry starts the program in the default table's folder, since the program
# reads table.txt from its working directory. Both paths are absolute and depend on the
# prefix, which `cmake --install --prefix` may choose only at install time.
set(entry ${CMAKE_CURRENT_BINARY_DIR}/${SORVANTO_APP_ID}.desktop)
install(CODE "
  set(SORVANTO_APP_ID ${SORVANTO_APP_ID})
  set(SORVANTO_PROGRAM \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/sorvanto\")
  set(SORVANTO_TABLE_DIR \"\${CMAKE_INSTALL_PREFIX}/${table_dir}\")
  set(SORVANTO_ENTRY_TEMPLATE \"${CMAKE_CURRENT_SOURCE_DIR}/sorvanto.desktop.in\")
  set(SORVANTO_ENTRY \"${entry}\")
")
install(SCRIPT desktop_entry.cmake)
set(entry_dir ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${entry} DESTINATION ${entry_dir})

configure_file(sorvanto.metainfo.xml.in ${SORVANTO_APP_ID}.metainfo.xml @ONLY)
set(metainfo_dir ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${SORVANTO_APP_ID}.metainfo.xml
  DESTINATION ${metainfo_dir})

# The copyright, the changelog and the manual page, where Debian keeps them. Both of the
# latter are compressed as Debian's own tools do it: gzip -9n leaves out the file's name
# and time, so that the same text always gives the same bytes.
find_program(GZIP gzip REQUIRED NO_CMAKE_FIND_ROOT_PATH)
set(docs)
foreach(doc changelog sorvanto.1)
  set(compressed ${CMAKE_CURRENT_BINARY_DIR}/${doc}.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_SOURCE_DIR}/${doc} ${CMAKE_CURRENT_BINARY_DIR}/${doc}
    COMMAND ${GZIP} -9nf ${CMAKE_CURRENT_BINARY_DIR}/${doc}
    DEPENDS ${doc}
    VERBATIM)
  list(APPEND docs ${compressed})
endforeach()
add_custom_target(sorvanto_docs ALL DEPENDS ${docs})
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/sorvanto)
install(FILES copyright DESTINATION ${doc_dir})
# The package is native (made from this source tree, so without a Debian revision), and
# the changelog of a native package is changelog.gz.
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION ${doc_dir})
set(man_dir ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/sorvanto.1.gz DESTINATION ${man_dir})

# The same, as the package check reads it from sorvanto-facts.sh: every file installed,
# relative to the prefix, and those it looks at one by one.
set(SORVANTO_LINUX_PROGRAM ${CMAKE_INSTALL_BINDIR}/sorvanto)
set(SORVANTO_LINUX_TABLE_DIR ${table_dir})
set(SORVANTO_LINUX_ENTRY ${entry_dir}/${SORVANTO_APP_ID}.desktop)
set(SORVANTO_LINUX_METAINFO ${metainfo_dir}/${SORVANTO_APP_ID}.metainfo.xml)
set(installed ${SORVANTO_LINUX_PROGRAM} ${table_dir}/table.txt ${icons} ${SORVANTO_LINUX_ENTRY}
  ${SORVANTO_LINUX_METAINFO} ${doc_dir}/copyright ${doc_dir}/changelog.gz ${man_dir}/sorvanto.1.gz)
string(REPLACE ";" " " installed "${installed}")
foreach(fact PROGRAM TABLE_DIR ENTRY METAINFO)
  set(SORVANTO_LINUX_${fact} ${SORVANTO_LINUX_${fact}} PARENT_SCOPE)
endforeach()
set(SORVANTO_LINUX_FILES "${installed}" PARENT_SCOPE)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sorvanto)
set(CPACK_PACKAGE_CONTACT "${CPACK_PACKAGE_VENDOR} <authors@sorvanto.example>")
set(CPACK_PACKAGE_DESCRIPTION "\
Sorvanto turns the movements of the mouse over a yellow field into lottery
number combinations, drawn through a chain of digests with a weight for
every number.")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://sorvanto.example/)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The Qt libraries the program links come from dpkg-shlibdeps. The X11 platform plugin,
# which the program needs to open a window at all, is loaded at run time, so the library
# tools cannot see it, and the Qt GUI library only recommends its package.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)

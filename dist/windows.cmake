# What an installed Sorvanto for Windows consists of: the program, its default weight
# table beside it, and the libraries it loads; and the installer made of them, with
# Debian's nsis.

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

set(CPACK_GENERATOR NSIS)
set(CPACK_PACKAGE_NAME Sorvanto)
set(CPACK_PACKAGE_FILE_NAME ${SORVANTO_WINDOWS_INSTALLER})
set(CPACK_PACKAGE_INSTALL_DIRECTORY Sorvanto)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Sorvanto)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_DISPLAY_NAME Sorvanto)
set(CPACK_NSIS_PACKAGE_NAME Sorvanto)
set(CPACK_NSIS_MUI_ICON ${PROJECT_BINARY_DIR}/app/sorvanto.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_BINARY_DIR}/app/sorvanto.ico)
set(CPACK_NSIS_INSTALLED_ICON_NAME Sorvanto.exe)
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
# The licence page shows the program's own licence, the text of the Debian package's
# copyright file; it asks nothing of the person, so it goes on with Next.
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/dist/copyright)
# NSIS text below goes into the installer's script as it stands.
set(CPACK_VERBATIM_VARIABLES ON)
# Top-level parts of the installer's script:
# - a 64-bit installer for a 64-bit program: it sees the 64-bit Program Files and
#   registry, and runs where no 32-bit Windows layer is installed, as on a wine64 alone;
# - no file dates stored, so that the same files give the same installer;
# - the program's name where NSIS would name itself, at the foot of every page;
# - the last page offers to start the program, in the installation folder as the
#   shortcut does, since it reads table.txt from its working directory;
# - the wait for a running Sorvanto, which holds a mutex named by the application id
#   (app/running_mark_windows.cpp) for as long as it runs: the installer must not
#   overwrite its files and the uninstaller must not leave them behind, so both ask the
#   person to close it, and stop with exit code 2 when cancelled or silent (/S).
set(CPACK_NSIS_DEFINES "
  Target amd64-unicode
  SetDateSave off
  BrandingText 'Sorvanto ${PROJECT_VERSION}'
  !include FileFunc.nsh
  !define MUI_LICENSEPAGE_BUTTON $(^NextBtn)
  !define MUI_LICENSEPAGE_TEXT_BOTTOM 'Press Next to continue.'
  !define MUI_FINISHPAGE_RUN
  !define MUI_FINISHPAGE_RUN_FUNCTION RunSorvanto
  Function RunSorvanto
    SetOutPath \"$INSTDIR\"
    Exec '\"$INSTDIR\\Sorvanto.exe\"'
  FunctionEnd
  !macro WaitUntilSorvantoCloses
    sorvanto_running:
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w \"${SORVANTO_APP_ID}\") p .r0'
    IntPtrCmp $0 0 sorvanto_closed
    System::Call 'kernel32::CloseHandle(p r0)'
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      'Sorvanto is running. Close it, then choose Retry.' /SD IDCANCEL IDRETRY sorvanto_running
    SetErrorLevel 2
    Quit
    sorvanto_closed:
  !macroend
")
set(CPACK_NSIS_EXTRA_PREINSTALL_COMMANDS "!insertmacro WaitUntilSorvantoCloses")
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "!insertmacro WaitUntilSorvantoCloses")
# Add/Remove Programs shows the size of what was installed, in KiB.
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS [[
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "Software\Microsoft\Windows\CurrentVersion\Uninstall\Sorvanto" "EstimatedSize" $0
]])
# The program reads table.txt from its working directory, so the Start-menu shortcut
# starts it in the installation folder, which holds the table: CreateShortCut takes the
# output path as the shortcut's working directory.
set(CPACK_NSIS_CREATE_ICONS_EXTRA [[
  SetOutPath "$INSTDIR"
  CreateShortCut "$SMPROGRAMS\$STARTMENU_FOLDER\Sorvanto.lnk" "$INSTDIR\Sorvanto.exe"
]])
# The uninstaller removes the vendor's registry key too, which holds nothing but the
# program's own key.
set(CPACK_NSIS_DELETE_ICONS_EXTRA [[
  Delete "$SMPROGRAMS\$MUI_TEMP\Sorvanto.lnk"
  DeleteRegKey /ifempty SHCTX "Software\the Sorvanto authors"
]])

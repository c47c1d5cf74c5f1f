# Installing and packaging TOQ.
#
#   cmake --build BUILD --target package
#
# On Linux this makes a Debian package (toq_<version>_<arch>.deb) of toq-cli, and of the
# desktop program toq when it is built, with the manual, the sample name list, a desktop entry,
# the file types .tai and .ply, the icon and a manual page. Built for Windows (see
# cmake/mingw-w64-x86_64.cmake) it makes a zip of the programs with the sample name list, one
# folder to unpack anywhere, and with the window (-DTOQ_UI=ON, Qt from scripts/qt-windows) also
# the installer toq-<version>-setup.exe; both hold the Qt DLLs and plugins toq.exe needs
# (cmake/WindowsRuntime.cmake).

# An installed program finds its manual in this folder above its own (services/
# program_directory.h: kInstalledDataFolder).
set(TOQ_INSTALL_DATA_DIR share/toq)

set(toq_programs)
foreach(program toq-cli toq)
  if(TARGET ${program})
    list(APPEND toq_programs ${program})
  endif()
endforeach()

set(toq_manual ${CMAKE_CURRENT_SOURCE_DIR}/resources/manual.html)
set(toq_screenshots ${CMAKE_CURRENT_SOURCE_DIR}/resources/screenshots)

if(WIN32)
  # Everything side by side, as the program looks for it beside itself.
  if(toq_programs)
    install(TARGETS ${toq_programs} RUNTIME DESTINATION .)
  endif()
  install(FILES resources/sample-names.txt DESTINATION .)
  if(TARGET toq)
    if(EXISTS ${toq_manual})
      install(FILES ${toq_manual} DESTINATION .)
    endif()
    if(IS_DIRECTORY ${toq_screenshots})
      install(DIRECTORY ${toq_screenshots} DESTINATION .)
    endif()
  endif()
  set(CPACK_GENERATOR ZIP)
  if(TARGET toq)
    set(CPACK_PACKAGE_FILE_NAME toq-${PROJECT_VERSION}-windows-x64)
  else()
    set(CPACK_PACKAGE_FILE_NAME toq-cli-${PROJECT_VERSION}-windows-x64)
  endif()
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)

  # With the window, also an installer (NSIS, Debian's nsis package): the same files into
  # Program Files\TOQ, a Start-menu entry, a desktop shortcut when asked for (on the page that
  # also offers toq-cli on the PATH), the file types .tai and .ply, an uninstaller that removes
  # what it installed and leaves the user's files and settings.
  find_program(TOQ_MAKENSIS makensis)
  if(TARGET toq AND TOQ_MAKENSIS)
    list(APPEND CPACK_GENERATOR NSIS)
    set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_SOURCE_DIR}/cmake/CPackOptions.cmake)
    set(CPACK_NSIS_EXECUTABLE ${TOQ_MAKENSIS})
    # A 64-bit installer for 64-bit programs: into the 64-bit Program Files, the 64-bit
    # registry.
    set(CPACK_NSIS_DEFINES "Target amd64-unicode")
    set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
    set(CPACK_PACKAGE_INSTALL_DIRECTORY TOQ)
    set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY TOQ)
    set(CPACK_NSIS_PACKAGE_NAME TOQ)
    set(CPACK_NSIS_DISPLAY_NAME TOQ)
    set(CPACK_PACKAGE_EXECUTABLES toq TOQ)
    set(CPACK_CREATE_DESKTOP_LINKS toq)
    set(CPACK_NSIS_MODIFY_PATH ON)
    set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
    set(CPACK_NSIS_INSTALLED_ICON_NAME toq.exe)
    set(CPACK_NSIS_MUI_ICON ${CMAKE_CURRENT_SOURCE_DIR}/packaging/toq.ico)
    set(CPACK_NSIS_MUI_UNIICON ${CMAKE_CURRENT_SOURCE_DIR}/packaging/toq.ico)
    if(EXISTS ${toq_manual})
      set(CPACK_NSIS_MENU_LINKS manual.html "TOQ manual")
    endif()
    set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS
        "!include '${CMAKE_CURRENT_SOURCE_DIR}/packaging/windows-install.nsh'")
    set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS
        "!include '${CMAKE_CURRENT_SOURCE_DIR}/packaging/windows-uninstall.nsh'")
  endif()
else()
  if(toq_programs)
    install(TARGETS ${toq_programs} RUNTIME DESTINATION bin)
  endif()
  install(FILES resources/sample-names.txt DESTINATION ${TOQ_INSTALL_DATA_DIR})
  if(EXISTS ${toq_manual})
    install(FILES ${toq_manual} DESTINATION ${TOQ_INSTALL_DATA_DIR})
  endif()
  if(IS_DIRECTORY ${toq_screenshots})
    install(DIRECTORY ${toq_screenshots} DESTINATION ${TOQ_INSTALL_DATA_DIR})
  endif()

  # The manual page, compressed as Debian keeps them.
  find_program(TOQ_GZIP gzip)
  set(toq_man_page ${CMAKE_CURRENT_BINARY_DIR}/toq-cli.1.gz)
  if(TOQ_GZIP)
    add_custom_command(OUTPUT ${toq_man_page}
      COMMAND ${TOQ_GZIP} -9 -n -c ${CMAKE_CURRENT_SOURCE_DIR}/packaging/toq-cli.1 > ${toq_man_page}
      DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/packaging/toq-cli.1
      VERBATIM)
    add_custom_target(toq_man_page ALL DEPENDS ${toq_man_page})
    install(FILES ${toq_man_page} DESTINATION share/man/man1)
  else()
    install(FILES packaging/toq-cli.1 DESTINATION share/man/man1)
  endif()

  # The desktop program in the menu, with its icon and its file types.
  if(TARGET toq)
    install(FILES packaging/toq.desktop DESTINATION share/applications)
    install(FILES packaging/toq-mime.xml DESTINATION share/mime/packages RENAME toq.xml)
    install(FILES resources/toq.png DESTINATION share/icons/hicolor/256x256/apps)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/resources/toq.svg)
      install(FILES resources/toq.svg DESTINATION share/icons/hicolor/scalable/apps)
    endif()
  endif()

  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION misc)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  # The libraries the programs link come from dpkg-shlibdeps; Qt loads its platform plugin at
  # run time, which nothing would find.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
  if(TARGET toq)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
        "xdg-utils, fonts-ipafont-gothic | fonts-noto-cjk, fonts-ipafont-mincho | fonts-noto-cjk")
  endif()
endif()

set(CPACK_PACKAGE_NAME toq)
set(CPACK_PACKAGE_VENDOR Tamsorel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "TOQ developers <toq@tamsorel.invalid>" CACHE STRING
    "Maintainer of the packages")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Swiss-system shogi tournaments: pairing, results, reports")
set(CPACK_PACKAGE_DESCRIPTION
    "TOQ is the program with which the organiser of a shogi event runs a Swiss-system tournament: \
a register of players, a tournament table, pairing one round at a time (professionals on several \
boards, handicaps from the ratings), results, standings and reports. It holds its files in \
Shift-JIS as organisers' files have always been. toq-cli does all of it from the command line.")
set(CPACK_STRIP_FILES ON)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_CURRENT_BINARY_DIR}/packages)
include(CPack)

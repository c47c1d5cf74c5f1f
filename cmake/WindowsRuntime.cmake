# What the Windows programs need beside them when they use Qt (built for Windows by
# scripts/qt-windows and found through CMAKE_PREFIX_PATH): the Qt DLLs they link, the windows
# platform plugin (also toq-cli's for printing: it needs no display), the Windows style, MinGW's
# C++ runtime that Qt's DLLs link, Qt's Japanese texts and a qt.conf that finds them. Copied
# into the build folder, so that the programs and tests run from there under Wine, and
# installed beside the programs; nothing else of Qt is shipped.
if(NOT WIN32 OR NOT TARGET Qt6::Core)
  return()
endif()

get_filename_component(toq_qt_prefix "${Qt6_DIR}/../../.." ABSOLUTE)
set(toq_runtime_dlls)
foreach(module Core Gui Widgets PrintSupport)
  list(APPEND toq_runtime_dlls ${toq_qt_prefix}/bin/Qt6${module}.dll)
endforeach()
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${found}" OR NOT EXISTS "${found}")
    message(FATAL_ERROR "MinGW's ${dll} not found")
  endif()
  list(APPEND toq_runtime_dlls ${found})
endforeach()
set(toq_runtime_plugins platforms/qwindows.dll styles/qwindowsvistastyle.dll)

file(COPY ${toq_runtime_dlls} DESTINATION ${CMAKE_BINARY_DIR})
install(FILES ${toq_runtime_dlls} DESTINATION .)
foreach(plugin ${toq_runtime_plugins})
  get_filename_component(folder ${plugin} DIRECTORY)
  file(COPY ${toq_qt_prefix}/plugins/${plugin} DESTINATION ${CMAKE_BINARY_DIR}/${folder})
  install(FILES ${toq_qt_prefix}/plugins/${plugin} DESTINATION ${folder})
endforeach()

# The Qt Test programs run from the build folder too; Qt Test is never shipped.
if(TOQ_TESTS AND EXISTS ${toq_qt_prefix}/bin/Qt6Test.dll)
  file(COPY ${toq_qt_prefix}/bin/Qt6Test.dll DESTINATION ${CMAKE_BINARY_DIR})
endif()

# Qt's own dialogs in Japanese: the translation is the Linux package's (plain data).
set(toq_qt_conf ${CMAKE_BINARY_DIR}/qt.conf)
file(WRITE ${toq_qt_conf} "[Paths]\nPrefix=.\nTranslations=translations\n")
install(FILES ${toq_qt_conf} DESTINATION .)
find_file(TOQ_QTBASE_JA qtbase_ja.qm PATHS /usr/share/qt6/translations NO_DEFAULT_PATH
          NO_CMAKE_FIND_ROOT_PATH)
if(TOQ_QTBASE_JA)
  file(COPY ${TOQ_QTBASE_JA} DESTINATION ${CMAKE_BINARY_DIR}/translations)
  install(FILES ${TOQ_QTBASE_JA} DESTINATION translations)
endif()

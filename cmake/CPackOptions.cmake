# Read by cpack for each generator: the Windows installer is toq-<version>-setup.exe, the zip
# keeps the name of the folder it unpacks to.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "toq-${CPACK_PACKAGE_VERSION}-setup")
endif()

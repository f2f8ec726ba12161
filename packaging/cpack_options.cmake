# Read by cpack once per generator: the installer is vartolik-1.0-setup.exe and installs the
# folder's contents themselves (the zip alone wraps them in a top-level folder).
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "vartolik-${CPACK_PACKAGE_VERSION}-setup")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
endif()

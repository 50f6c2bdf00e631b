# Read by cpack for each package it makes: the installer's file name says
# what it is, next to the zip of the same name.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}-setup")
endif()

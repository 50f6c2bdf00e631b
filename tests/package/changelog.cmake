# cmake -DDPKG_PARSECHANGELOG=PROGRAM -DCHANGELOG=FILE -DVERSION=VERSION
#       -DRELEASE_DATE=YYYY-MM-DD -P changelog.cmake:
# the newest entry of the Debian changelog, as dpkg-parsechangelog reads it,
# names the project's version, and its time falls on the project's release
# date (UTC).
foreach(field Version Timestamp)
  execute_process(COMMAND ${DPKG_PARSECHANGELOG} -l ${CHANGELOG} -S${field} OUTPUT_VARIABLE ${field}
                  OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
endforeach()
set(ENV{SOURCE_DATE_EPOCH} ${Timestamp})
string(TIMESTAMP day "%Y-%m-%d" UTC)
if(NOT Version STREQUAL VERSION)
  message(SEND_ERROR "${CHANGELOG}: the newest entry is of version ${Version}; the project's is ${VERSION}")
endif()
if(NOT day STREQUAL RELEASE_DATE)
  message(SEND_ERROR "${CHANGELOG}: the newest entry is dated ${day}; the project's release date is ${RELEASE_DATE}")
endif()
message("${CHANGELOG}: the newest entry is of version ${Version}, dated ${day}")

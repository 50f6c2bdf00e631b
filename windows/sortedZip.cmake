# Run by cpack after it has made a package. CPack's zip holds the files in
# the order the file system lists them, which differs from one file system
# to the next, so the zip is made again from the same staged files, sorted
# by name, without owners or extra times (zip -X) and with its times in
# UTC: every build gives the same bytes.
if(CPACK_GENERATOR STREQUAL "ZIP")
  get_filename_component(staging ${CPACK_TEMPORARY_DIRECTORY} DIRECTORY)
  file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${staging} ${CPACK_TEMPORARY_DIRECTORY}/*)
  list(SORT files)
  string(REPLACE ";" "\n" names "${files}")
  file(WRITE ${staging}/names.txt "${names}\n")
  foreach(zip ${CPACK_PACKAGE_FILES})
    file(REMOVE ${zip})
    execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC zip -X -q -9 ${zip} -@
                    INPUT_FILE ${staging}/names.txt WORKING_DIRECTORY ${staging} COMMAND_ERROR_IS_FATAL ANY)
  endforeach()
endif()

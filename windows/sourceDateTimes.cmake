# Run by cpack once the files to pack are staged: with SOURCE_DATE_EPOCH set,
# every staged file and folder takes that time, so that the zip and the
# installer record the same times from every build.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  execute_process(COMMAND find ${CPACK_TEMPORARY_DIRECTORY} -exec touch -h -d @$ENV{SOURCE_DATE_EPOCH} {} +
                  COMMAND_ERROR_IS_FATAL ANY)
endif()

# cmake -DGREP_DCTRL=PROGRAM -DCONTROL=FILE -DMETADATA=FILE -DHOMEPAGE=URL -P homepage.cmake:
# the Debian source package's control file names the project's homepage
# (OKEL_HOMEPAGE) as its Homepage, and its repository (Vcs-Browser,
# Vcs-Git) under it, and its upstream metadata the bug tracker under it.
# grep-dctrl reads the fields of the control file's source paragraph and
# of the metadata, whose plain "Field: value" lines are one such paragraph.
set(agree TRUE)
set(files CONTROL CONTROL CONTROL METADATA METADATA)
set(fields Homepage Vcs-Browser Vcs-Git Bug-Database Bug-Submit)
foreach(file field IN ZIP_LISTS files fields)
  execute_process(COMMAND ${GREP_DCTRL} --no-field-names --show-field=${field} --field=${field} --regex . ${${file}}
                  OUTPUT_VARIABLE address OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  if(field STREQUAL Homepage)
    set(expected "${HOMEPAGE}")
    string(COMPARE EQUAL "${address}" "${HOMEPAGE}" matches)
  else()
    set(expected "an address under ${HOMEPAGE}")
    string(FIND "${address}" "${HOMEPAGE}/" at)
    string(COMPARE EQUAL "${at}" 0 matches)
  endif()
  if(NOT matches)
    message(SEND_ERROR "${${file}}: its ${field} is '${address}', not ${expected}, the project's homepage "
                       "(OKEL_HOMEPAGE)")
    set(agree FALSE)
  endif()
endforeach()
if(agree)
  message("${CONTROL} and ${METADATA}: Homepage ${HOMEPAGE}, the repository and bug tracker under it")
endif()

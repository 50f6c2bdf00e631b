# cmake -DGREP_DCTRL=PROGRAM -DCONTROL=FILE -DHOMEPAGE=URL -P homepage.cmake:
# the Debian source package's control file names the project's homepage
# (OKEL_HOMEPAGE) as its Homepage, and its repository (Vcs-Browser,
# Vcs-Git) under it. grep-dctrl reads the fields of its source paragraph.
set(agree TRUE)
foreach(name Homepage Vcs-Browser Vcs-Git)
  execute_process(COMMAND ${GREP_DCTRL} --no-field-names --show-field=${name} --field=Source --regex . ${CONTROL}
                  OUTPUT_VARIABLE address OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  if(name STREQUAL Homepage)
    set(expected "${HOMEPAGE}")
    string(COMPARE EQUAL "${address}" "${HOMEPAGE}" matches)
  else()
    set(expected "an address under ${HOMEPAGE}")
    string(FIND "${address}" "${HOMEPAGE}/" at)
    string(COMPARE EQUAL "${at}" 0 matches)
  endif()
  if(NOT matches)
    message(SEND_ERROR "${CONTROL}: its ${name} is '${address}', not ${expected}, the project's homepage "
                       "(OKEL_HOMEPAGE)")
    set(agree FALSE)
  endif()
endforeach()
if(agree)
  message("${CONTROL}: Homepage ${HOMEPAGE}, and the repository under it")
endif()

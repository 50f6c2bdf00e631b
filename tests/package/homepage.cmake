# cmake -DGREP_DCTRL=PROGRAM -DDEBIAN=FOLDER -DHOMEPAGE=URL -P homepage.cmake:
# the Debian source package names the project's homepage (OKEL_HOMEPAGE)
# where it names one: debian/control's Homepage is it, and each address of
# debian/upstream/metadata lies under it. grep-dctrl reads both files, the
# second written as one paragraph of plain fields, which YAML reads too.
set(agree TRUE)
# field(VARIABLE FIELD FILE): the field's value, as grep-dctrl reads it.
function(field variable name file)
  execute_process(COMMAND ${GREP_DCTRL} --no-field-names --show-field=${name} --field=${name} --regex . ${file}
                  OUTPUT_VARIABLE value OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  set(${variable} "${value}" PARENT_SCOPE)
endfunction()
field(homepage Homepage ${DEBIAN}/control)
if(NOT homepage STREQUAL HOMEPAGE)
  message(SEND_ERROR "${DEBIAN}/control: its Homepage is '${homepage}'; the project's (OKEL_HOMEPAGE) is ${HOMEPAGE}")
  set(agree FALSE)
endif()
foreach(name Bug-Database Bug-Submit Repository Repository-Browse)
  field(address ${name} ${DEBIAN}/upstream/metadata)
  string(FIND "${address}" "${HOMEPAGE}/" at)
  if(NOT at EQUAL 0)
    message(SEND_ERROR "${DEBIAN}/upstream/metadata: its ${name} is '${address}', not under the project's "
                       "homepage ${HOMEPAGE} (OKEL_HOMEPAGE)")
    set(agree FALSE)
  endif()
endforeach()
if(agree)
  message("${DEBIAN}: control and upstream/metadata name the homepage ${HOMEPAGE}")
endif()

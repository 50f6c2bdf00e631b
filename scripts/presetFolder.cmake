# cmake -DPRESETS=CMakePresets.json -DNAME=VARIABLE -P presetFolder.cmake:
# writes the folder that the environment variable VARIABLE of the hidden
# configure preset "folders" names, relative to the project's folder, as
# the scripts take it (common.sh). CMake reads the presets as JSON.
file(READ ${PRESETS} presets)
string(JSON count LENGTH "${presets}" configurePresets)
math(EXPR last "${count} - 1")
set(folder "")
foreach(index RANGE ${last})
  string(JSON preset GET "${presets}" configurePresets ${index} name)
  if(preset STREQUAL folders)
    string(JSON folder GET "${presets}" configurePresets ${index} environment ${NAME})
  endif()
endforeach()
set(prefix "\${sourceDir}/")
string(LENGTH "${prefix}" prefixLength)
string(FIND "${folder}" "${prefix}" start)
if(NOT start EQUAL 0)
  message(FATAL_ERROR "${PRESETS}: the preset \"folders\" names no folder ${NAME} in the project's folder "
                      "(\${sourceDir}/...): '${folder}'")
endif()
string(SUBSTRING "${folder}" ${prefixLength} -1 folder)
execute_process(COMMAND ${CMAKE_COMMAND} -E echo "${folder}")

# cmake -DWORK=folder -DZIP=package.zip -P prepare.cmake: makes a fresh Wine
# prefix in WORK/prefix with the Wine environment it is run with, waits
# until Wine has settled, and unpacks the zip into WORK/unpacked.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/unpacked)
set(ENV{WINEPREFIX} ${WORK}/prefix)
execute_process(COMMAND wineboot -i RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
execute_process(COMMAND wineserver -w)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "wineboot -i failed (${status})")
endif()
file(ARCHIVE_EXTRACT INPUT ${ZIP} DESTINATION ${WORK}/unpacked)

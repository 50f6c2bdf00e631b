# cmake -DWORK=folder -DZIP=package.zip -P prepare.cmake: makes a fresh Wine
# prefix in WORK/prefix, waits until Wine has settled, and unpacks the zip
# into WORK/unpacked.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/unpacked)
set(ENV{WINEPREFIX} ${WORK}/prefix)
set(ENV{WINEDEBUG} -all)
# No desktop-menu entries for what Wine installs, and no offer of Mono or
# Gecko while the prefix is made.
set(ENV{WINEDLLOVERRIDES} "winemenubuilder.exe,mscoree,mshtml=d")
execute_process(COMMAND wineboot -i RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
execute_process(COMMAND wineserver -w)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "wineboot -i failed (${status})")
endif()
file(ARCHIVE_EXTRACT INPUT ${ZIP} DESTINATION ${WORK}/unpacked)

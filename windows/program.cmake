# windowsProgram(TARGET DESCRIPTION): the Windows program TARGET. It is a
# console program, as on Linux: the walk-through's messages go to standard
# output. The C and C++ runtimes are linked in statically, and freeglut too
# (freeglut.cmake), so that it needs nothing beyond Windows' own DLLs. It
# carries its icon (painted by texgen) and its version information, which
# DESCRIPTION heads, as resources.
set(OKEL_PRODUCT_NAME "OKEL viewers")
set(CPACK_PACKAGE_VENDOR "The OKEL authors")
file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE copyrightLine REGEX "^Copyright" LIMIT_COUNT 1)
set(OKEL_LICENCE_LINE "${copyrightLine}. MIT License.")

function(windowsProgram target description)
  set(OKEL_PROGRAM ${target})
  set(OKEL_PROGRAM_DESCRIPTION ${description})
  set(OKEL_PROGRAM_ICON ${OKEL_ICON_DIR}/${target}.ico)
  set(resources ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/windows/program.rc.in ${resources} @ONLY)
  target_sources(${target} PRIVATE ${resources})
  set_source_files_properties(${resources} PROPERTIES OBJECT_DEPENDS ${OKEL_PROGRAM_ICON})
  add_dependencies(${target} windowsIcons)
  # No link time in the header: every build gives the same bytes.
  target_link_options(${target} PRIVATE -static LINKER:--no-insert-timestamp)
endfunction()

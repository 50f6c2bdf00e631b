# cmake -DTEXGEN=path -DOUTPUT=folder -P runTexgen.cmake: one run of texgen
# for the tests of its output, into a fresh folder: the texture files into
# OUTPUT/textures, the icon theme into OUTPUT/icons and the Windows icons
# into OUTPUT/ico. Fails if texgen fails.
file(REMOVE_RECURSE ${OUTPUT})
file(MAKE_DIRECTORY ${OUTPUT}/textures ${OUTPUT}/ico)
foreach(run "textures" "--icons;icons" "--ico;ico")
  list(POP_BACK run folder)
  execute_process(COMMAND ${TEXGEN} ${run} ${OUTPUT}/${folder} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "texgen ${run} ${OUTPUT}/${folder} ended with ${status}")
  endif()
endforeach()

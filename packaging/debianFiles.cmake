# Run by cpack once the files of the Debian packages are staged, one folder
# per component: each package gets what dh puts beside a package's files
# from the source package's debian/ (CPACK_OKEL_DEBIAN_DIR), its copyright
# in its documentation folder, its changelog there compressed as dh_compress
# does (without a name or time in the gzip header), and its lintian
# overrides where it has any; with the modes the install rules give,
# whatever the umask.
find_program(GZIP_PROGRAM gzip REQUIRED)
foreach(pair "programs;okel" "data;okel-data")
  list(GET pair 0 component)
  list(GET pair 1 package)
  set(usr ${CPACK_TEMPORARY_DIRECTORY}/${component}/usr)
  if(NOT IS_DIRECTORY ${usr})
    message(FATAL_ERROR "debianFiles.cmake: no staged component ${component} in ${CPACK_TEMPORARY_DIRECTORY}")
  endif()
  set(docDir ${usr}/share/doc/${package})
  file(MAKE_DIRECTORY ${docDir})
  file(COPY_FILE ${CPACK_OKEL_DEBIAN_DIR}/copyright ${docDir}/copyright)
  execute_process(COMMAND ${GZIP_PROGRAM} -9n -c ${CPACK_OKEL_DEBIAN_DIR}/changelog OUTPUT_FILE ${docDir}/changelog.gz
                  COMMAND_ERROR_IS_FATAL ANY)
  set(folders ${usr}/share ${usr}/share/doc ${docDir})
  set(files ${docDir}/copyright ${docDir}/changelog.gz)
  set(overrides ${CPACK_OKEL_DEBIAN_DIR}/${package}.lintian-overrides)
  if(EXISTS ${overrides})
    set(overridesDir ${usr}/share/lintian/overrides)
    file(MAKE_DIRECTORY ${overridesDir})
    file(COPY_FILE ${overrides} ${overridesDir}/${package})
    list(APPEND folders ${usr}/share/lintian ${overridesDir})
    list(APPEND files ${overridesDir}/${package})
  endif()
  file(CHMOD ${folders}
       PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  file(CHMOD ${files} PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endforeach()

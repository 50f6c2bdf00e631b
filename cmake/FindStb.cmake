# FindStb: the stb single-file libraries (Debian's libstb-dev:
# stb_image_write, stb_perlin, stb_image) as the header-only target stb::stb.
find_path(Stb_INCLUDE_DIR stb_image_write.h PATH_SUFFIXES stb)
include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(Stb REQUIRED_VARS Stb_INCLUDE_DIR)
if(Stb_FOUND AND NOT TARGET stb::stb)
  add_library(stb::stb INTERFACE IMPORTED)
  set_target_properties(stb::stb PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${Stb_INCLUDE_DIR})
endif()

# freeglut for Windows, defined as GLUT::GLUT the way find_package(GLUT)
# defines it on Linux. It is built from Debian's own freeglut source package
# (the version of the build machine's freeglut3-dev), which scripts/windows
# fetches with `apt-get source` into OKEL_FREEGLUT_SOURCE_DIR, with this
# build's toolchain, as a static library inside the build tree.
include(ExternalProject)
set(freeglutPrefix ${PROJECT_BINARY_DIR}/freeglut)
set(freeglutLibrary ${freeglutPrefix}/lib/libfreeglut_static.a)
ExternalProject_Add(freeglutBuild
  SOURCE_DIR ${OKEL_FREEGLUT_SOURCE_DIR}
  BINARY_DIR ${PROJECT_BINARY_DIR}/freeglut-build
  INSTALL_DIR ${freeglutPrefix}
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
    -DCMAKE_BUILD_TYPE=Release
    -DCMAKE_INSTALL_PREFIX=<INSTALL_DIR>
    -DFREEGLUT_BUILD_SHARED_LIBS=OFF
    -DFREEGLUT_BUILD_STATIC_LIBS=ON
    -DFREEGLUT_BUILD_DEMOS=OFF
    # Its paths mapped away, as the programs' are.
    "-DCMAKE_C_FLAGS=-ffile-prefix-map=${OKEL_FREEGLUT_SOURCE_DIR}=freeglut -ffile-prefix-map=${PROJECT_BINARY_DIR}=build"
  BUILD_BYPRODUCTS ${freeglutLibrary})

# The include folder fills when freeglut is installed; it must exist before.
file(MAKE_DIRECTORY ${freeglutPrefix}/include)
add_library(GLUT::GLUT STATIC IMPORTED GLOBAL)
set_target_properties(GLUT::GLUT PROPERTIES
  IMPORTED_LOCATION ${freeglutLibrary}
  INTERFACE_INCLUDE_DIRECTORIES ${freeglutPrefix}/include
  INTERFACE_COMPILE_DEFINITIONS FREEGLUT_STATIC
  INTERFACE_LINK_LIBRARIES "OpenGL::GLU;OpenGL::GL;winmm;gdi32")
add_dependencies(GLUT::GLUT freeglutBuild)

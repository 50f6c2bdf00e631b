# The texture files of both programs, okel's RAW files, then okelwalk's BMP
# files; for each, four fields: the name of its constant in textureFiles.h,
# the file's name, its size in pixels (every picture is square) and what it
# shows. texgen writes them and the programs read them, both through
# textureFiles.h, which is made from this table; the build installs them,
# and the man pages and the Windows read-me list them. The top-level
# CMakeLists.txt includes this file, and so does texgen's own project in a
# cross build.
set(OKEL_TEXTURE_TABLE
  # constant        file                        size  what it shows
  METAL_FILE        metal6464.raw               64    "a glyph texture"
  STAR_FILE         star1024.raw                1024  "a glyph texture"
  TABLECLOTH_FILE   tablecloth256.raw           256   "a glyph texture"
  ENVWALL_FILE      envwall128.raw              128   "a glyph texture"
  CRACKLE_FILE      crackle256.raw              256   "a glyph texture"
  BLUE_FILE         blue.raw                    64    "a glyph texture"
  SUNSET_FILE       sunset.raw                  256   "a glyph texture"
  EARTH_FILE        earth1024.raw               1024  "the spinning backdrop"
  WHITEBRIGHT_FILE  whitebright16.raw           16    "the spheres and the status text"
  MOON_FILE         moon256.raw                 256   "the moon"
  WALL_FILE         corrigatedIronTexture.bmp   256   "the walls"
  GLYPH_FILE        leopard.bmp                 256   "the word's blocks"
  CEILING_FILE      concrete.bmp                256   "the ceiling"
)

# From the table:
# - textureFiles.h in OKEL_GENERATED_DIR, one constant a file;
# - OKEL_TEXTURE_FILES, the files' names;
# - the lists of RAW and BMP files in the man pages (OKEL_MAN_RAW_FILES,
#   OKEL_MAN_BMP_FILES: troff) and in the Windows read-me
#   (OKEL_README_RAW_FILES, OKEL_README_BMP_FILES: CR LF lines).
# Configuration stops on an entry that lacks a field.
set(OKEL_GENERATED_DIR ${PROJECT_BINARY_DIR}/generated)
block(PROPAGATE OKEL_TEXTURE_FILES OKEL_MAN_RAW_FILES OKEL_MAN_BMP_FILES OKEL_README_RAW_FILES OKEL_README_BMP_FILES)
list(LENGTH OKEL_TEXTURE_TABLE fields)
math(EXPR last "${fields} - 4")
set(OKEL_TEXTURE_FILES)
set(textureConstants)
foreach(kind RAW BMP)
  set(OKEL_MAN_${kind}_FILES)
  set(OKEL_README_${kind}_FILES)
endforeach()
foreach(index RANGE 0 ${last} 4)
  list(SUBLIST OKEL_TEXTURE_TABLE ${index} 4 entry)
  list(LENGTH entry length)
  if(length EQUAL 4)
    list(GET entry 0 constant)
    list(GET entry 1 file)
    list(GET entry 2 size)
    list(GET entry 3 shows)
    get_filename_component(kind ${file} LAST_EXT)
    string(TOUPPER "${kind}" kind)
  endif()
  if(NOT length EQUAL 4 OR NOT constant MATCHES "^[A-Z_]+_FILE$" OR NOT kind MATCHES "^\\.(RAW|BMP)$"
     OR NOT size MATCHES "^[1-9][0-9]*$")
    message(FATAL_ERROR "texgen/textureFiles.cmake: each texture file needs its constant (NAME_FILE), its file "
                        "(.raw or .bmp), its size and what it shows; this entry has not: ${entry}")
  endif()
  string(SUBSTRING ${kind} 1 -1 kind)
  if(OKEL_TEXTURE_FILES)
    string(APPEND textureConstants "\n")
  endif()
  list(APPEND OKEL_TEXTURE_FILES ${file})
  string(APPEND textureConstants "constexpr TextureFile ${constant}{\"${file}\", ${size}}; // ${shows}")
  # Each kind's list in the man page is one tagged paragraph (.TP, then a
  # .TQ for each further file); the read-me's lines are indented.
  if("${OKEL_MAN_${kind}_FILES}" STREQUAL "")
    string(APPEND OKEL_MAN_${kind}_FILES ".TP\n")
  else()
    string(APPEND OKEL_MAN_${kind}_FILES "\n.TQ\n")
    string(APPEND OKEL_README_${kind}_FILES "\r\n")
  endif()
  string(APPEND OKEL_MAN_${kind}_FILES ".I ${file}\n${size}\\(mu${size}, ${shows}")
  string(APPEND OKEL_README_${kind}_FILES "    ${file} (${size} x ${size}, ${shows})")
endforeach()
configure_file(${CMAKE_CURRENT_LIST_DIR}/textureFiles.h.in ${OKEL_GENERATED_DIR}/textureFiles.h @ONLY)
endblock()

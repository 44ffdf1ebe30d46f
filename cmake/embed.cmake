# vanto_embed_files(<target> <symbol prefix> <files...>)
# Compiles each file into <target> as a byte array
#   extern const unsigned char <prefix>_<name>[]; extern const unsigned <prefix>_<name>_size;
# where <name> is the file name with every non-alphanumeric character as '_'.
function(vanto_embed_files target prefix)
  foreach(file ${ARGN})
    get_filename_component(name ${file} NAME)
    string(MAKE_C_IDENTIFIER ${name} id)
    set(out ${CMAKE_CURRENT_BINARY_DIR}/embedded/${prefix}_${id}.cpp)
    file(READ ${file} hex HEX)
    string(LENGTH "${hex}" hex_length)
    math(EXPR size "${hex_length} / 2")
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    file(CONFIGURE OUTPUT ${out} CONTENT
      "extern const unsigned char ${prefix}_${id}[] = {${bytes}};\nextern const unsigned ${prefix}_${id}_size = ${size};\n")
    target_sources(${target} PRIVATE ${out})
    set_property(DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
  endforeach()
endfunction()

# Every library of the project is a folder of src/ with an include root of
# its own. The root is a directory in the build tree that holds one link,
# named like the folder, to the folder; sources include "folder/file.h".
# A target thus finds the headers of its own folder and of the libraries it
# links, and no others: an include of a higher layer does not compile.
function(velunor_include_root target folder)
  set(root ${PROJECT_BINARY_DIR}/include_roots/${folder})
  file(MAKE_DIRECTORY ${root})
  if(NOT EXISTS ${root}/${folder})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${folder} ${root}/${folder} SYMBOLIC)
  endif()
  target_include_directories(${target} PUBLIC ${root})
endfunction()

# velunor_layer(<folder> [DEPENDS <library>...])
# A layer of the coding library: the static library velunor_<folder> of every
# source in src/<folder>, linked to the layers below it that it may use.
function(velunor_layer folder)
  cmake_parse_arguments(PARSE_ARGV 1 LAYER "" "" "DEPENDS")
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${folder}/*.cpp)
  add_library(velunor_${folder} STATIC ${sources})
  velunor_include_root(velunor_${folder} ${folder})
  target_link_libraries(velunor_${folder} PUBLIC ${LAYER_DEPENDS} PRIVATE velunor_options)
endfunction()

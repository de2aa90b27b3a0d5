# velunor_ui_text_table(<target>)
# The static library <target>: the English texts of the Win32 windows, a
# table that make_ui_text_table.py generates from the Qt window's translation
# source (one source of the texts for both front ends), and its lookup. It is
# built for Windows with the window program and natively for its test.
function(velunor_ui_text_table target)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  set(generator ${PROJECT_SOURCE_DIR}/src/win32/make_ui_text_table.py)
  set(translation ${PROJECT_SOURCE_DIR}/src/app/cmvelunor_en.ts)
  set(table ${CMAKE_CURRENT_BINARY_DIR}/${target}_data.cpp)
  add_custom_command(
    OUTPUT ${table}
    COMMAND Python3::Interpreter ${generator} ${translation} ${table}
    DEPENDS ${generator} ${translation}
    COMMENT "Generating the Win32 window texts from cmvelunor_en.ts")
  add_library(${target} STATIC ${table} ${PROJECT_SOURCE_DIR}/src/win32/ui_text_table.cpp)
  velunor_include_root(${target} win32)
  target_link_libraries(${target} PRIVATE velunor_options)
endfunction()

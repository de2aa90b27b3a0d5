# velunor_windows_resources(<target> <description>)
# Gives the Windows program <target> the application icon and a version
# resource with the project's version and <description>. The icon file is
# drawn by the build for Linux (velunor_make_icons needs Qt, which the cross
# build does not have); `make windows` builds it there first and hands it
# over as VELUNOR_WINDOWS_ICON.
set(VELUNOR_WINDOWS_ICON "" CACHE FILEPATH "The application icon (cmvelunor.ico) for the Windows programs")

function(velunor_windows_resources target description)
  if(NOT EXISTS "${VELUNOR_WINDOWS_ICON}")
    message(FATAL_ERROR "The Windows programs need the application icon: VELUNOR_WINDOWS_ICON "
      "(\"${VELUNOR_WINDOWS_ICON}\") names no file. `make windows` draws it in the Linux build first "
      "(cmake --build --preset default --target cmvelunor_icons).")
  endif()
  get_target_property(RESOURCE_NAME ${target} OUTPUT_NAME)
  if(NOT RESOURCE_NAME)
    set(RESOURCE_NAME ${target})
  endif()
  set(RESOURCE_DESCRIPTION "${description}")
  set(resources ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/windows_resources.rc.in ${resources} @ONLY)
  set_source_files_properties(${resources} PROPERTIES OBJECT_DEPENDS "${VELUNOR_WINDOWS_ICON}")
  target_sources(${target} PRIVATE ${resources})
endfunction()

# The Windows package (`make windows-package`, target windows_package): the
# two programs with the README and the copyright file as a portable zip,
# CMVelunor-<version>-windows-x64.zip, and as the NSIS installer
# CMVelunor-<version>-setup.exe (share/windows/cmvelunor.nsi), both in the
# build folder. Texts get Windows line breaks.
find_program(VELUNOR_MAKENSIS makensis)

set(VELUNOR_PACKAGE_NAME CMVelunor-${PROJECT_VERSION})
set(VELUNOR_PACKAGE_ZIP ${PROJECT_BINARY_DIR}/${VELUNOR_PACKAGE_NAME}-windows-x64.zip)
set(VELUNOR_INSTALLER ${PROJECT_BINARY_DIR}/${VELUNOR_PACKAGE_NAME}-setup.exe)
# The files of the package, as both the zip and the installer hold them.
set(VELUNOR_PACKAGE_STAGE ${PROJECT_BINARY_DIR}/package/${VELUNOR_PACKAGE_NAME})

function(velunor_windows_package)
  set(texts ${PROJECT_BINARY_DIR}/package-texts)
  configure_file(${PROJECT_SOURCE_DIR}/share/windows/README.txt ${texts}/README.txt
    @ONLY NEWLINE_STYLE WIN32)
  configure_file(${PROJECT_SOURCE_DIR}/share/doc/copyright ${texts}/COPYRIGHT.txt
    @ONLY NEWLINE_STYLE WIN32)
  set(stage ${VELUNOR_PACKAGE_STAGE})
  cmake_path(GET stage PARENT_PATH stage_parent)
  set(script ${PROJECT_SOURCE_DIR}/share/windows/cmvelunor.nsi)
  if(NOT VELUNOR_MAKENSIS)
    add_custom_target(windows_package
      COMMAND ${CMAKE_COMMAND} -E echo "The installer needs makensis (Debian package nsis)."
      COMMAND ${CMAKE_COMMAND} -E false)
    return()
  endif()
  add_custom_command(
    OUTPUT ${VELUNOR_PACKAGE_ZIP} ${VELUNOR_INSTALLER}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:cmvelunor_win32> $<TARGET_FILE:velunor>
            ${texts}/README.txt ${texts}/COPYRIGHT.txt ${stage}
    COMMAND ${CMAKE_STRIP} ${stage}/cmvelunor.exe ${stage}/velunor.exe
    COMMAND ${CMAKE_COMMAND} -E rm -f ${VELUNOR_PACKAGE_ZIP}
    COMMAND ${CMAKE_COMMAND} -E chdir ${stage_parent}
            ${CMAKE_COMMAND} -E tar cf ${VELUNOR_PACKAGE_ZIP} --format=zip ${VELUNOR_PACKAGE_NAME}
    COMMAND ${VELUNOR_MAKENSIS} -V2 -INPUTCHARSET UTF8 -DVERSION=${PROJECT_VERSION} -DSTAGE=${stage}
            -DICON=${VELUNOR_WINDOWS_ICON} -DOUTFILE=${VELUNOR_INSTALLER} ${script}
    DEPENDS cmvelunor_win32 velunor ${script} ${texts}/README.txt ${texts}/COPYRIGHT.txt
            ${VELUNOR_WINDOWS_ICON}
    COMMENT "Packing ${VELUNOR_PACKAGE_NAME}: the portable zip and the installer"
    VERBATIM)
  add_custom_target(windows_package DEPENDS ${VELUNOR_PACKAGE_ZIP} ${VELUNOR_INSTALLER})
endfunction()

velunor_windows_package()

# The Windows metadata of the deliverables: a VERSIONINFO resource with the
# project's version in each, and for the program also its icon (made at build
# time by tools/gen-icon.py) and its manifest.
set(QM_RC_TEMPLATE ${CMAKE_CURRENT_LIST_DIR}/windows/versioninfo.rc.in)
set(QM_MANIFEST_TEMPLATE ${CMAKE_CURRENT_LIST_DIR}/windows/Quillmoor2.exe.manifest)

#   qm_version_resource(TARGET FILE NAME DESCRIPTION [PROGRAM])
# PROGRAM adds the icon (resource 112, the main window's class icon) and the
# manifest (common controls 6).
function(qm_version_resource target file description)
  cmake_parse_arguments(R "PROGRAM" "" "" ${ARGN})
  set(QM_RC_FILE ${file})
  get_filename_component(QM_RC_NAME ${file} NAME_WE)
  set(QM_RC_DESCRIPTION ${description})
  set(QM_RC_TYPE VFT_DLL)
  set(QM_RC_EXTRA "")
  set(dir ${CMAKE_BINARY_DIR}/generated/rc)
  if(R_PROGRAM)
    set(QM_RC_TYPE VFT_APP)
    configure_file(${QM_MANIFEST_TEMPLATE} ${dir}/${file}.manifest @ONLY)
    set(icon ${dir}/Quillmoor2.ico)
    add_custom_command(OUTPUT ${icon}
                       COMMAND python3 ${CMAKE_SOURCE_DIR}/tools/gen-icon.py ${icon}
                       DEPENDS ${CMAKE_SOURCE_DIR}/tools/gen-icon.py)
    set_source_files_properties(${dir}/${file}.rc PROPERTIES OBJECT_DEPENDS ${icon})
    set(QM_RC_EXTRA "112 ICON \"${icon}\"\n1 24 \"${dir}/${file}.manifest\"")
  endif()
  configure_file(${QM_RC_TEMPLATE} ${dir}/${file}.rc @ONLY)
  target_sources(${target} PRIVATE ${dir}/${file}.rc)
endfunction()

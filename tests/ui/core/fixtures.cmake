# Build-time fixtures of test_ui_core: archives made by the real `zip` tool.
set(UI_CORE_FIXTURES ${CMAKE_BINARY_DIR}/ui_core_fixtures)
set(UI_CORE_DATA ${CMAKE_SOURCE_DIR}/tests/ui/core/data)
add_custom_command(OUTPUT ${UI_CORE_FIXTURES}/password.zip
  COMMAND ${CMAKE_COMMAND} -E make_directory ${UI_CORE_FIXTURES}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${UI_CORE_FIXTURES}/password.zip
  COMMAND zip -q -X -P Tavrel-2024 ${UI_CORE_FIXTURES}/password.zip secret.xml
  WORKING_DIRECTORY ${UI_CORE_DATA}
  DEPENDS ${UI_CORE_DATA}/secret.xml
  COMMENT "Packing the password-protected test archive")
add_custom_target(ui_core_fixtures DEPENDS ${UI_CORE_FIXTURES}/password.zip)
if(TARGET test_ui_core)
  add_dependencies(test_ui_core ui_core_fixtures)
endif()

# A plain archive of the data folder (with a sub-folder), packed by `zip -r`.
file(GLOB_RECURSE UI_CORE_DATA_FILES CONFIGURE_DEPENDS ${UI_CORE_DATA}/*)
add_custom_command(OUTPUT ${UI_CORE_FIXTURES}/plain.zip
  COMMAND ${CMAKE_COMMAND} -E make_directory ${UI_CORE_FIXTURES}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${UI_CORE_FIXTURES}/plain.zip
  COMMAND zip -q -X -r -9 ${UI_CORE_FIXTURES}/plain.zip .
  WORKING_DIRECTORY ${UI_CORE_DATA}
  DEPENDS ${UI_CORE_DATA_FILES}
  COMMENT "Packing the plain test archive")
add_custom_target(ui_core_plain_zip DEPENDS ${UI_CORE_FIXTURES}/plain.zip)
if(TARGET test_ui_core)
  add_dependencies(test_ui_core ui_core_plain_zip)
endif()

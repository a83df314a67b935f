# The framework as a package for other programs: `cmake --install <build> --prefix <dir>` puts
# libskinui.a and libskinui_widgets.a, the headers a program builds against and a package
# configuration into <dir>. A consumer writes find_package(SkinUI) and links SkinUI::SkinUI
# (and SkinUI::Widgets for the further controls). The launcher's own build is not touched.
#
# The installed headers live in include/SkinUI/, their includes of each other rewritten from
# the repository's folders to that one; a header that includes one outside the list stops the
# install. Test seams stay in headers that are not listed (ui/core/dpi_query.h).
set(SKINUI_VERSION 1.0.0)
set(SKINUI_PUBLIC_HEADERS
  ui/core/window_impl_base.h ui/core/window_wnd.h ui/core/paint_manager.h ui/core/skin_builder.h
  ui/core/control_factory.h ui/core/notify_pump.h ui/core/ui_events.h ui/core/dpi_awareness.h
  ui/core/resource_catalog.h ui/core/ui_dpi.h ui/core/ui_ptr_array.h ui/core/ui_rect.h
  ui/core/ui_resources.h ui/core/ui_string.h ui/core/ui_string_map.h ui/core/xml_document.h
  ui/core/accessible_model.h ui/core/dropped_files.h ui/core/drag_image.h
  ui/controls/control.h ui/controls/container.h ui/controls/label.h ui/controls/button.h
  ui/controls/progress.h ui/controls/horizontal_layout.h ui/controls/vertical_layout.h
  ui/controls/delegate.h ui/controls/attribute_values.h ui/controls/gdi_guards.h ui/controls/tab_select.h)
set(SKINUI_WIDGET_HEADERS
  ui/widgets/widget_registry.h ui/widgets/input/option.h ui/widgets/input/check_box.h
  ui/widgets/input/edit.h ui/widgets/input/field.h ui/widgets/input/hosted_window.h
  ui/widgets/input/slider.h ui/widgets/input/combo.h ui/widgets/common/popup_window.h
  ui/widgets/layout/tab_layout.h)

install(TARGETS skinui skinui_widgets ARCHIVE DESTINATION lib COMPONENT skinui)
install(FILES ${GDIPLUS_DELAY} ${OLEACC_DELAY} DESTINATION lib COMPONENT skinui)
# The XP stand-in is an object file: it must reach the program's own link line, ahead of kernel32.
install(FILES $<TARGET_OBJECTS:qvx_xp_imports> DESTINATION lib/SkinUI RENAME skinui_xp_imports.obj
  COMPONENT skinui)

# What SkinUI::SkinUI links, read from the library's own link list: the static zlib becomes
# ZLIB::ZLIB (find_dependency), the delay-import libraries the installed copies.
get_target_property(skinui_links skinui INTERFACE_LINK_LIBRARIES)
set(SKINUI_CONFIG_LINKS "\${_skinui_lib}/SkinUI/skinui_xp_imports.obj")
foreach(item IN LISTS skinui_links)
  if(item STREQUAL ZLIB_STATIC OR item STREQUAL "${ZLIB_STATIC}")
    list(APPEND SKINUI_CONFIG_LINKS ZLIB::ZLIB)
  elseif(IS_ABSOLUTE "${item}")
    get_filename_component(file "${item}" NAME)
    list(APPEND SKINUI_CONFIG_LINKS "\${_skinui_lib}/${file}")
  else()
    list(APPEND SKINUI_CONFIG_LINKS ${item})
  endif()
endforeach()
string(REPLACE ";" " " SKINUI_CONFIG_LINKS "${SKINUI_CONFIG_LINKS}")
set(dir ${CMAKE_BINARY_DIR}/skinui-package)
configure_file(${CMAKE_SOURCE_DIR}/cmake/SkinUIConfig.cmake.in ${dir}/SkinUIConfig.cmake @ONLY)
include(CMakePackageConfigHelpers)
write_basic_package_version_file(${dir}/SkinUIConfigVersion.cmake VERSION ${SKINUI_VERSION}
  COMPATIBILITY SameMajorVersion)
install(FILES ${dir}/SkinUIConfig.cmake ${dir}/SkinUIConfigVersion.cmake DESTINATION lib/cmake/SkinUI
  COMPONENT skinui)
install(CODE "set(SKINUI_SOURCE_DIR \"${CMAKE_SOURCE_DIR}\")
  set(SKINUI_HEADERS \"${SKINUI_PUBLIC_HEADERS}\")
  set(SKINUI_WIDGET_HEADERS \"${SKINUI_WIDGET_HEADERS}\")
  include(\"${CMAKE_SOURCE_DIR}/cmake/skinui-install-headers.cmake\")" COMPONENT skinui)

# The package as a consumer takes it: install, build the example from it alone, run its self-test.
add_test(NAME package.example COMMAND bash ${CMAKE_SOURCE_DIR}/tests/package/package_test.sh
  ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR} ${CMAKE_SYSTEM_PROCESSOR})
set_tests_properties(package.example PROPERTIES TIMEOUT 600)

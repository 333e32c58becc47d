# qx_plugin(NAME SOURCES ... [LIBS ...]) builds NAME.kzp: the shared contract
# (entry points, records, about box, module entry), the module's own command
# sources, and resources/NAME/NAME.rc. The .def file gives the undecorated
# stdcall exports and makes the export directory's module name the file name.
enable_language(RC)
include(${CMAKE_CURRENT_LIST_DIR}/QxAboutDialog.cmake)

set(QX_CONTRACT_DIR ${CMAKE_SOURCE_DIR}/contract)
set(QX_RESOURCES_DIR ${CMAKE_SOURCE_DIR}/resources)
set(QX_CONTRACT_SOURCES
  ${QX_CONTRACT_DIR}/exports.cpp
  ${QX_CONTRACT_DIR}/registration.cpp
  ${QX_CONTRACT_DIR}/about_box.cpp
  ${QX_CONTRACT_DIR}/module_entry.cpp
  ${QX_CONTRACT_DIR}/module_instance.cpp)

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(QX_PLUGIN_OUTPUT_DIR ${CMAKE_BINARY_DIR}/bin/plugins)

function(qx_plugin name)
  cmake_parse_arguments(P "" "" "SOURCES;LIBS" ${ARGN})
  set(QX_MODULE_FILE ${name}.kzp)
  # The about box's title and icon come from the module's own resource header.
  file(STRINGS ${QX_RESOURCES_DIR}/${name}/module_resources.h _title REGEX "QX_ABOUT_TITLE")
  file(STRINGS ${QX_RESOURCES_DIR}/${name}/module_resources.h _icon REGEX "QX_IDI_MODULE")
  string(REGEX REPLACE ".*\"(.*)\".*" "\\1" _title "${_title}")
  string(REGEX REPLACE ".*QX_IDI_MODULE +([0-9]+).*" "\\1" _icon "${_icon}")
  set(_generated ${CMAKE_CURRENT_BINARY_DIR}/${name}_resources)
  qx_write_about_dialog(${_generated}/about_dialog.rc "${_title}" ${_icon})
  configure_file(${QX_CONTRACT_DIR}/exports.def.in ${CMAKE_CURRENT_BINARY_DIR}/${name}.def @ONLY)
  add_library(${name} MODULE
    ${P_SOURCES} ${QX_CONTRACT_SOURCES}
    ${QX_RESOURCES_DIR}/${name}/${name}.rc
    ${CMAKE_CURRENT_BINARY_DIR}/${name}.def)
  set_target_properties(${name} PROPERTIES
    PREFIX "" SUFFIX ".kzp" OUTPUT_NAME ${name}
    LIBRARY_OUTPUT_DIRECTORY ${QX_PLUGIN_OUTPUT_DIR}
    RUNTIME_OUTPUT_DIRECTORY ${QX_PLUGIN_OUTPUT_DIR})
  target_include_directories(${name} PRIVATE
    ${_generated} ${QX_CONTRACT_DIR} ${QX_RESOURCES_DIR}/${name} ${QX_RESOURCES_DIR}/common)
  target_link_libraries(${name} PRIVATE ${P_LIBS} user32 kernel32)
  set_property(GLOBAL APPEND PROPERTY QX_PLUGINS ${name})
endfunction()

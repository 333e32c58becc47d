# Folders are added as they come into being, so that a lane builds whatever
# part of the tree is present.
macro(qx_add_subdirectories)
  foreach(_dir ${ARGN})
    if(EXISTS "${CMAKE_CURRENT_SOURCE_DIR}/${_dir}/CMakeLists.txt")
      add_subdirectory(${_dir})
    endif()
  endforeach()
endmacro()

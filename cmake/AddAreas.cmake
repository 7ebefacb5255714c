# Adds every listed subdirectory that has a CMakeLists.txt, so an area can land
# without touching its parent's list.
macro(kf_add_areas)
  foreach(area ${ARGN})
    if(EXISTS "${CMAKE_CURRENT_SOURCE_DIR}/${area}/CMakeLists.txt")
      add_subdirectory(${area})
    endif()
  endforeach()
endmacro()

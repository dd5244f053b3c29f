# Layers are static libraries made of every source file under their folders, so a new
# file joins its layer without touching the build.
function(tarnwick_sources out)
  set(files)
  foreach(dir IN LISTS ARGN)
    if(EXISTS ${dir})
      file(GLOB_RECURSE found CONFIGURE_DEPENDS ${dir}/*.cpp)
      list(APPEND files ${found})
    endif()
  endforeach()
  set(${out} ${files} PARENT_SCOPE)
endfunction()

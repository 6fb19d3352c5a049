# Helpers shared by src/ and tests/.

# dvx_sources(<out var> <dir>...): the .cpp files of the given folders (not recursive).
function(dvx_sources out)
  set(all)
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS "${dir}/*.cpp")
    list(APPEND all ${found})
  endforeach()
  list(SORT all)
  set(${out} ${all} PARENT_SCOPE)
endfunction()

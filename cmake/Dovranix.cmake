# Helpers shared by src/, tests/ and the layering check.

# Where every folder under src/ (and its mirror under tests/) belongs. A folder belongs to the
# layer of its longest listed prefix, so a new subfolder joins its parent's layer without an
# edit. port and logic build one library; ARCHITECTURE.md says what each layer may include.
set(DVX_LAYERS port logic render ui)
set(DVX_LAYER_port port)
set(DVX_LAYER_logic
  model files plan tracking tools scene geometry commands
  app/core ui/core content/core powertools/core render/core)

# The logic folders by rank, lowest first: a folder includes its own rank and lower ones only
# (subfolders take their parent's rank). A lower folder reaches a higher one through a table the
# higher one fills (rebuilds, tool trackers) or through the UI seams (a `*_seams.h` header that
# holds only seam declarations is rank-free). scripts/layering-exceptions.txt lists the
# upward includes still to be removed.
set(DVX_LOGIC_RANKS
  model files geometry scene plan tracking tools commands
  content/core render/core app/core powertools/core ui/core)
set(DVX_LAYER_render render)
set(DVX_LAYER_ui port/qt app ui content powertools)

# dvx_layer_of(<out var> <folder relative to src/>): the layer, or "" when none claims it.
function(dvx_layer_of out dir)
  set(best "")
  set(best_len -1)
  foreach(layer IN LISTS DVX_LAYERS)
    foreach(prefix IN LISTS DVX_LAYER_${layer})
      string(LENGTH "${prefix}" len)
      if((dir STREQUAL prefix OR dir MATCHES "^${prefix}/") AND len GREATER best_len)
        set(best ${layer})
        set(best_len ${len})
      endif()
    endforeach()
  endforeach()
  set(${out} "${best}" PARENT_SCOPE)
endfunction()

# dvx_layer_sources(<out var> <base> <subfolder or ""> <layer>...): the .cpp files below
# <base>/<subfolder>, at any depth, whose folder (relative to <base>) is in one of the layers.
function(dvx_layer_sources out base sub)
  set(root "${base}")
  if(sub)
    set(root "${base}/${sub}")
  endif()
  file(GLOB_RECURSE found CONFIGURE_DEPENDS "${root}/*.cpp")
  set(all)
  foreach(f IN LISTS found)
    file(RELATIVE_PATH rel "${base}" "${f}")
    get_filename_component(dir "${rel}" DIRECTORY)
    dvx_layer_of(layer "${dir}")
    if(layer IN_LIST ARGN)
      list(APPEND all ${f})
    endif()
  endforeach()
  list(SORT all)
  set(${out} ${all} PARENT_SCOPE)
endfunction()

# dvx_write_layers(<file> <src folder>): the tables above for scripts/check-layering.sh.
function(dvx_write_layers file src)
  set(text "src ${src}\n")
  foreach(layer IN LISTS DVX_LAYERS)
    foreach(prefix IN LISTS DVX_LAYER_${layer})
      string(APPEND text "layer ${prefix} ${layer}\n")
    endforeach()
  endforeach()
  foreach(folder IN LISTS DVX_LAYER_logic)
    if(NOT folder IN_LIST DVX_LOGIC_RANKS)
      message(FATAL_ERROR "src/${folder}: a logic folder without a rank (DVX_LOGIC_RANKS)")
    endif()
  endforeach()
  set(rank 0)
  foreach(folder IN LISTS DVX_LOGIC_RANKS)
    math(EXPR rank "${rank} + 1")
    string(APPEND text "rank ${folder} ${rank}\n")
  endforeach()
  file(WRITE "${file}" "${text}")
endfunction()

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

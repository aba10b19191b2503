# Fails the build when a file includes a header of a layer above its own.
# Layers, bottom up; folders on one line share a layer and may include each other.
set(KVR_LAYERS
  "platform form"
  "model"
  "view tools"
  "edit bobbin link"
  "sim"
  "ui"
  "qt"
  "app kvrtool screenshots bench fuzz")
set(rank 0)
foreach(layer IN LISTS KVR_LAYERS)
  string(REPLACE " " ";" dirs "${layer}")
  foreach(d IN LISTS dirs)
    set(rank_${d} ${rank})
  endforeach()
  math(EXPR rank "${rank} + 1")
endforeach()

set(bad "")
foreach(layer IN LISTS KVR_LAYERS)
  string(REPLACE " " ";" dirs "${layer}")
  foreach(d IN LISTS dirs)
    file(GLOB_RECURSE srcs ${ROOT}/${d}/*.h ${ROOT}/${d}/*.cpp)
    foreach(f IN LISTS srcs)
      file(STRINGS ${f} incs REGEX "^[ \t]*#[ \t]*include[ \t]*\"[a-z0-9_]+/")
      foreach(inc IN LISTS incs)
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([a-z0-9_]+)/.*$" "\\1" top "${inc}")
        if(DEFINED rank_${top} AND rank_${top} GREATER rank_${d})
          file(RELATIVE_PATH rel ${ROOT} ${f})
          string(STRIP "${inc}" inc)
          list(APPEND bad "${rel}: ${inc}")
        endif()
      endforeach()
    endforeach()
  endforeach()
endforeach()
if(bad)
  list(JOIN bad "\n  " text)
  message(FATAL_ERROR "Includes that point up a layer:\n  ${text}")
endif()

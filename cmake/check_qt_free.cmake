# Fails when a source of the Qt-free core includes a Qt header.
file(GLOB_RECURSE srcs
  ${ROOT}/model/* ${ROOT}/view/* ${ROOT}/edit/* ${ROOT}/link/* ${ROOT}/bobbin/*
  ${ROOT}/tools/* ${ROOT}/ui/* ${ROOT}/form/* ${ROOT}/platform/*)
foreach(f IN LISTS srcs)
  if(f MATCHES "\\.(h|hpp|cpp)$")
    file(STRINGS ${f} hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]|Qt)")
    if(hits)
      message(FATAL_ERROR "Qt include in the Qt-free core: ${f}: ${hits}")
    endif()
  endif()
endforeach()

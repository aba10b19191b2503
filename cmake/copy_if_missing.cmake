# Copies SRC to DST unless DST exists already.
if(NOT EXISTS "${DST}")
  file(COPY_FILE "${SRC}" "${DST}")
endif()

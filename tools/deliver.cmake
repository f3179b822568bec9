# Puts the delivered files into the program folder.
# The password file is copied only when the folder has none: a rebuild must never put back
# the initial password over one that the user has changed.
file(MAKE_DIRECTORY ${OUT})
if(NOT EXISTS ${OUT}/unins000.dll)
  file(COPY ${SRC}/unins000.dll DESTINATION ${OUT})
endif()
# The manual Guida.pdf is made by the build itself (tools/manual).
foreach(f Avviso.mp3)
  if(EXISTS ${SRC}/${f})
    file(COPY_FILE ${SRC}/${f} ${OUT}/${f} ONLY_IF_DIFFERENT)
  endif()
endforeach()

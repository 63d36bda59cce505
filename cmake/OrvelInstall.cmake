# Installation for client programs: `cmake --install build --prefix P` puts
# the orvel program in P/bin, the COM modules with the support libraries in
# P/lib (the program registers the modules it finds in ../lib), the headers a
# C++ client needs in P/include/orvel, orvel.pc in P/lib/pkgconfig, and the
# install directory P/share/orvel with its Templates/ and pix/ folders.

install(DIRECTORY ${CMAKE_SOURCE_DIR}/external/com/ DESTINATION include/orvel/com FILES_MATCHING PATTERN "*.h")
install(FILES ${CMAKE_SOURCE_DIR}/external/document/IDocument.h DESTINATION include/orvel/document)
install(FILES ${CMAKE_SOURCE_DIR}/external/support/KestString.h ${CMAKE_SOURCE_DIR}/external/support/KestException.h
        DESTINATION include/orvel/support)
configure_file(${CMAKE_SOURCE_DIR}/cmake/orvel.pc.in ${CMAKE_BINARY_DIR}/orvel.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/orvel.pc DESTINATION lib/pkgconfig)
install(FILES ${CMAKE_SOURCE_DIR}/examples/client.cpp DESTINATION share/orvel/examples)

# The install directory (Settings/InstallDir, which `orvel register` sets when
# it is absent): P/share/orvel, where a bare template name is looked up in
# Templates/ and a bare picture name in pix/. The build tree gets the same
# layout beside its bin/, so that the build's orvel finds it too.
foreach(folder Templates pix)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/share/orvel/${folder})
  install(DIRECTORY DESTINATION share/orvel/${folder})
endforeach()

# The targets come from many folders: the top level calls this once every
# folder is read.
function(orvel_install_targets)
  install(TARGETS orvel RUNTIME DESTINATION bin)
  install(TARGETS kest_string kest_registry kest_com kest_support kest_ui kest_ui_gtk orvelcom ppt_standin word_standin
          LIBRARY DESTINATION lib)
endfunction()

# The layers, as the build sees them. The component (the folders below) sees
# its own headers and external/, nothing of platform/: its targets get an
# include root in the build tree that holds a link to each component folder
# and nothing else, so "generator/Orvel.h" resolves and "platform/..." does
# not compile. The platform libraries export only their own folders.
set(ORVEL_COMPONENT_FOLDERS generator text headfoot settings registration)
set(ORVEL_COMPONENT_INCLUDE_DIR ${CMAKE_BINARY_DIR}/include/component)

# Links left from an older layout would widen the root: only links are
# removed, never what they point to.
file(MAKE_DIRECTORY ${ORVEL_COMPONENT_INCLUDE_DIR})
file(GLOB stale_entries LIST_DIRECTORIES true ${ORVEL_COMPONENT_INCLUDE_DIR}/*)
foreach(entry ${stale_entries})
  if(NOT IS_SYMLINK ${entry})
    message(FATAL_ERROR "${entry} is not a link: the component include root holds links only")
  endif()
  file(REMOVE ${entry})
endforeach()
foreach(folder ${ORVEL_COMPONENT_FOLDERS})
  if(NOT IS_DIRECTORY ${CMAKE_SOURCE_DIR}/${folder})
    message(FATAL_ERROR "The component folder ${folder}/ is missing from ${CMAKE_SOURCE_DIR}")
  endif()
  file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${ORVEL_COMPONENT_INCLUDE_DIR}/${folder} SYMBOLIC)
endforeach()

# add_subdirectory of each folder, in order; a folder without its
# CMakeLists.txt stops the configuration instead of leaving a module out.
function(orvel_add_folders)
  foreach(dir ${ARGN})
    if(NOT EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
      file(RELATIVE_PATH shown ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/${dir})
      message(FATAL_ERROR "${shown}/CMakeLists.txt is missing: every module of the tree is part of the build")
    endif()
    add_subdirectory(${dir})
  endforeach()
endfunction()

# TARGET loads the tree's COM modules at run time: they are built first.
function(orvel_needs_com_modules target)
  add_dependencies(${target} orvelcom ppt_standin word_standin)
endfunction()

# Fails the configuration when a component target links anything but the
# interface, the runtime libraries and the other component targets (whatever
# else it linked would hand it that library's include folders), or when any
# target exports the repository root or platform/ as a whole.
function(orvel_check_layers)
  set(component_targets orvel_generator orvel_replay_rules orvel_text orvel_headfoot orvel_settings
                        orvel_module orvel_typelib orvel_registrar orvelcom)
  set(allowed ${component_targets} orvel_external kest_com kest_support kest_string kest_registry kest_ui
              ${CMAKE_DL_LIBS})
  foreach(target ${component_targets})
    if(NOT TARGET ${target})
      message(FATAL_ERROR "The component target ${target} is not defined")
    endif()
    get_target_property(links ${target} LINK_LIBRARIES)
    get_target_property(interface_links ${target} INTERFACE_LINK_LIBRARIES)
    foreach(link ${links} ${interface_links})
      string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" link "${link}")
      if(link AND NOT link MATCHES "-NOTFOUND$" AND NOT link IN_LIST allowed)
        message(FATAL_ERROR "The component target ${target} links ${link}: components link only "
                            "orvel_external, the kest_* runtime libraries and each other")
      endif()
    endforeach()
  endforeach()

  set(dirs ${CMAKE_SOURCE_DIR})
  while(dirs)
    list(POP_FRONT dirs dir)
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    list(APPEND dirs ${subdirs})
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target ${targets})
      get_target_property(includes ${target} INTERFACE_INCLUDE_DIRECTORIES)
      foreach(include ${includes})
        string(REGEX REPLACE "^\\$<BUILD_INTERFACE:(.*)>$" "\\1" include "${include}")
        string(REGEX REPLACE "/$" "" include "${include}")
        if(include STREQUAL CMAKE_SOURCE_DIR OR include STREQUAL "${CMAKE_SOURCE_DIR}/platform")
          message(FATAL_ERROR "${target} exports ${include}: a target exports its own folders only")
        endif()
      endforeach()
    endforeach()
  endwhile()
endfunction()

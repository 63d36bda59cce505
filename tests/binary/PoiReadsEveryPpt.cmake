# STEP=clear empties FILES; STEP=read has Apache POI read every file in it in
# one start of Java and fails naming each file it could not read.
if(STEP STREQUAL "clear")
  file(REMOVE_RECURSE ${FILES})
  file(MAKE_DIRECTORY ${FILES})
  return()
endif()
file(GLOB files LIST_DIRECTORIES false ${FILES}/*)
list(LENGTH files count)
if(count EQUAL 0)
  message(STATUS "No .ppt file was validated")
  return()
endif()
execute_process(COMMAND java -cp ${CLASS_PATH} PptReader ${files} OUTPUT_QUIET ERROR_VARIABLE errors
                RESULT_VARIABLE status)
message(STATUS "${errors}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "Apache POI could not read every .ppt")
endif()

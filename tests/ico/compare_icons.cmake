# Draws the icons from the art into OUT_DIR and fails unless they equal the committed ones,
# file for file and byte for byte.
file(REMOVE_RECURSE "${OUT_DIR}")
execute_process(COMMAND "${MAKER}" "${ART_DIR}" "${OUT_DIR}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the icon maker failed (${status})")
endif()

file(GLOB committed RELATIVE "${COMMITTED_DIR}" "${COMMITTED_DIR}/*.ico")
file(GLOB drawn RELATIVE "${OUT_DIR}" "${OUT_DIR}/*.ico")
list(SORT committed)
list(SORT drawn)
if(NOT committed STREQUAL drawn)
  message(FATAL_ERROR "committed icons [${committed}] differ from those the art makes [${drawn}]")
endif()

foreach(name IN LISTS committed)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files
    "${COMMITTED_DIR}/${name}" "${OUT_DIR}/${name}" RESULT_VARIABLE different)
  if(different)
    message(FATAL_ERROR "${name} differs from its art; run the murvane_redraw_icons target")
  endif()
endforeach()

# kit_add_subfolders(): adds every direct sub-folder that has a CMakeLists.txt,
# so that areas can bring their tests, tools, benchmarks and fuzzers on their own.
function(kit_add_subfolders)
  file(GLOB children LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(dir IN LISTS children)
    if(IS_DIRECTORY ${dir} AND EXISTS ${dir}/CMakeLists.txt)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()

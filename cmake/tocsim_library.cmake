# The libraries of src/ and what they let others see.

# Include folder of the library of the current source folder: a folder of its
# own in the build tree that holds a single symlink, named after the source
# folder, to it. Includes read "model/scenario.h", so a target sees the headers
# of exactly the libraries it links (and its own), not all of src/.
function(tocsim_include_dir out_var)
  get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  set(dir ${PROJECT_BINARY_DIR}/include/tocsim_${folder})
  file(MAKE_DIRECTORY ${dir})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${dir}/${folder} SYMBOLIC)
  set(${out_var} ${dir} PARENT_SCOPE)
endfunction()

# tocsim_library(NAME [EXCLUDE file.cpp ...] [LINK target ...])
# A static library of every .cpp in the current source folder but the
# excluded ones (globbed, so a new file needs no edit here), with the
# folder's include dir and the given targets as public dependencies.
function(tocsim_library name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "EXCLUDE;LINK")
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(file ${arg_EXCLUDE})
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${file})
  endforeach()
  add_library(${name} STATIC ${sources})
  tocsim_include_dir(include_dir)
  target_include_directories(${name} PUBLIC ${include_dir})
  target_link_libraries(${name} PUBLIC ${arg_LINK} PRIVATE tocsim_flags)
endfunction()

# Fails the configuration when a target below `dir` does not link tocsim_flags:
# built without -ffp-contract=off, it would compute other numbers.
function(tocsim_check_flags dir)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target ${targets})
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY" OR type STREQUAL "UTILITY")
      continue()
    endif()
    get_target_property(libs ${target} LINK_LIBRARIES)
    if(NOT "tocsim_flags" IN_LIST libs)
      message(FATAL_ERROR "${target} (in ${dir}) does not link tocsim_flags")
    endif()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub ${subdirs})
    tocsim_check_flags(${sub})
  endforeach()
endfunction()


# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/src/view/figures.cpp" "CMakeFiles/tocsim_view.dir/src/view/figures.cpp.o" "gcc" "CMakeFiles/tocsim_view.dir/src/view/figures.cpp.o.d"
  "/work/main/src/view/primitives.cpp" "CMakeFiles/tocsim_view.dir/src/view/primitives.cpp.o" "gcc" "CMakeFiles/tocsim_view.dir/src/view/primitives.cpp.o.d"
  "/work/main/src/view/text.cpp" "CMakeFiles/tocsim_view.dir/src/view/text.cpp.o" "gcc" "CMakeFiles/tocsim_view.dir/src/view/text.cpp.o.d"
  "/work/main/src/view/window.cpp" "CMakeFiles/tocsim_view.dir/src/view/window.cpp.o" "gcc" "CMakeFiles/tocsim_view.dir/src/view/window.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  "/work/main/build/CMakeFiles/tocsim_core.dir/DependInfo.cmake"
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")

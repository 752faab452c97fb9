
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/src/console/console.cpp" "CMakeFiles/tocsim_core.dir/src/console/console.cpp.o" "gcc" "CMakeFiles/tocsim_core.dir/src/console/console.cpp.o.d"
  "/work/main/src/fbc/feedback_run.cpp" "CMakeFiles/tocsim_core.dir/src/fbc/feedback_run.cpp.o" "gcc" "CMakeFiles/tocsim_core.dir/src/fbc/feedback_run.cpp.o.d"
  "/work/main/src/robot/kinematics.cpp" "CMakeFiles/tocsim_core.dir/src/robot/kinematics.cpp.o" "gcc" "CMakeFiles/tocsim_core.dir/src/robot/kinematics.cpp.o.d"
  "/work/main/src/robot/torque_laws.cpp" "CMakeFiles/tocsim_core.dir/src/robot/torque_laws.cpp.o" "gcc" "CMakeFiles/tocsim_core.dir/src/robot/torque_laws.cpp.o.d"
  "/work/main/src/scenario/conditions.cpp" "CMakeFiles/tocsim_core.dir/src/scenario/conditions.cpp.o" "gcc" "CMakeFiles/tocsim_core.dir/src/scenario/conditions.cpp.o.d"
  "/work/main/src/scenario/defaults.cpp" "CMakeFiles/tocsim_core.dir/src/scenario/defaults.cpp.o" "gcc" "CMakeFiles/tocsim_core.dir/src/scenario/defaults.cpp.o.d"
  "/work/main/src/scenario/dialogue.cpp" "CMakeFiles/tocsim_core.dir/src/scenario/dialogue.cpp.o" "gcc" "CMakeFiles/tocsim_core.dir/src/scenario/dialogue.cpp.o.d"
  "/work/main/src/scenario/report.cpp" "CMakeFiles/tocsim_core.dir/src/scenario/report.cpp.o" "gcc" "CMakeFiles/tocsim_core.dir/src/scenario/report.cpp.o.d"
  "/work/main/src/toc/time_optimal.cpp" "CMakeFiles/tocsim_core.dir/src/toc/time_optimal.cpp.o" "gcc" "CMakeFiles/tocsim_core.dir/src/toc/time_optimal.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")

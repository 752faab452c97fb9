file(REMOVE_RECURSE
  "CMakeFiles/tocsim_core.dir/src/console/console.cpp.o"
  "CMakeFiles/tocsim_core.dir/src/console/console.cpp.o.d"
  "CMakeFiles/tocsim_core.dir/src/fbc/feedback_run.cpp.o"
  "CMakeFiles/tocsim_core.dir/src/fbc/feedback_run.cpp.o.d"
  "CMakeFiles/tocsim_core.dir/src/robot/kinematics.cpp.o"
  "CMakeFiles/tocsim_core.dir/src/robot/kinematics.cpp.o.d"
  "CMakeFiles/tocsim_core.dir/src/robot/torque_laws.cpp.o"
  "CMakeFiles/tocsim_core.dir/src/robot/torque_laws.cpp.o.d"
  "CMakeFiles/tocsim_core.dir/src/scenario/conditions.cpp.o"
  "CMakeFiles/tocsim_core.dir/src/scenario/conditions.cpp.o.d"
  "CMakeFiles/tocsim_core.dir/src/scenario/defaults.cpp.o"
  "CMakeFiles/tocsim_core.dir/src/scenario/defaults.cpp.o.d"
  "CMakeFiles/tocsim_core.dir/src/scenario/dialogue.cpp.o"
  "CMakeFiles/tocsim_core.dir/src/scenario/dialogue.cpp.o.d"
  "CMakeFiles/tocsim_core.dir/src/scenario/report.cpp.o"
  "CMakeFiles/tocsim_core.dir/src/scenario/report.cpp.o.d"
  "CMakeFiles/tocsim_core.dir/src/toc/time_optimal.cpp.o"
  "CMakeFiles/tocsim_core.dir/src/toc/time_optimal.cpp.o.d"
  "libtocsim_core.a"
  "libtocsim_core.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/tocsim_core.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()

file(REMOVE_RECURSE
  "CMakeFiles/tocsim_view.dir/src/view/figures.cpp.o"
  "CMakeFiles/tocsim_view.dir/src/view/figures.cpp.o.d"
  "CMakeFiles/tocsim_view.dir/src/view/primitives.cpp.o"
  "CMakeFiles/tocsim_view.dir/src/view/primitives.cpp.o.d"
  "CMakeFiles/tocsim_view.dir/src/view/text.cpp.o"
  "CMakeFiles/tocsim_view.dir/src/view/text.cpp.o.d"
  "CMakeFiles/tocsim_view.dir/src/view/window.cpp.o"
  "CMakeFiles/tocsim_view.dir/src/view/window.cpp.o.d"
  "libtocsim_view.a"
  "libtocsim_view.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/tocsim_view.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()

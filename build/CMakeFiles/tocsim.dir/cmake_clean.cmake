file(REMOVE_RECURSE
  "CMakeFiles/tocsim.dir/src/scenario/main.cpp.o"
  "CMakeFiles/tocsim.dir/src/scenario/main.cpp.o.d"
  "tocsim"
  "tocsim.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/tocsim.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()

CMakeFiles/tocsim_core.dir/src/fbc/feedback_run.cpp.o: \
 /work/main/src/fbc/feedback_run.cpp /usr/include/stdc-predef.h \
 /work/main/src/fbc/feedback_run.h /work/main/src/scenario/scenario.h

// Results of the two Newton passes on the four default tasks (reference_cases.h),
// recorded as exact binary values with the solver as it was before the
// acceptance test and the search came in (and recorded again, 1 to 3 units in
// the last place apart, when the core's sin, cos, atan2 and acos became its
// own, robot/trig.h). All four winners are real solutions, so every bit of
// them must stay as it is.
#pragma once

struct RecordedPass {
  int updates;
  bool failed;
  double final_time;  // 1e10 when failed
};

struct RecordedSolution {
  char robot, gravity;
  double tt[4];
  double sign[4][2];
  RecordedPass pass[2];  // s2 = -1, s2 = +1
};

inline constexpr RecordedSolution kRecordedSolutions[] = {
    {'a', 'h',
     {0x1.68ae68e322f37p-1, 0x1.a7812aa8783b6p-1, 0x1.e654c818dc63cp-1, 0x1.a780e5a84e487p+0},
     {{1, -1}, {1, 1}, {-1, 1}, {-1, -1}},
     {{68, false, 0x1.a780e5a84e487p+0}, {79, false, 0x1.d318e7a596204p+0}}},
    {'a', 'g',
     {0x1.a82cc51fb7ee2p-3, 0x1.00e1595aaf3bcp-1, 0x1.4352556b8807ep-1, 0x1.80372b64e956dp-1},
     {{1, -1}, {1, 1}, {-1, 1}, {-1, -1}},
     {{64, false, 0x1.80372b64e956dp-1}, {300, true, 1e10}}},
    {'b', 'h',
     {0x1.9a9e272a41a3dp-2, 0x1.63d00e2fe12f1p-1, 0x1.15400b4122e64p+0, 0x1.63d010fad9468p+0},
     {{1, 1}, {1, -1}, {-1, -1}, {-1, 1}},
     {{61, false, 0x1.a888821723cacp+0}, {51, false, 0x1.63d010fad9468p+0}}},
    {'b', 'g',
     {0x1.5448c1e9b086cp-2, 0x1.2d8d65b54a437p-1, 0x1.5e4af53b17982p-1, 0x1.87288e1faf3edp-1},
     {{1, 1}, {1, -1}, {-1, -1}, {-1, 1}},
     {{300, true, 1e10}, {95, false, 0x1.87288e1faf3edp-1}}},
};

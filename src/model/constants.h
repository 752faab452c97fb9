// Constants as the computations use them. pi and 2 pi are written with these
// decimals, not as the closest doubles: every recorded result (switching times,
// reports, pictures) was computed with exactly these values, and 2 pi is not
// twice pi in the last digits. Circles are drawn with a pi of ten decimals.
#pragma once

constexpr double PI = 3.14159265358979;
constexpr double TWO_PI = 6.28318530317958;
constexpr double CIRCLE_PI = 3.1415926536;
constexpr double GRAVITY = 9.8;  // [m/s^2]

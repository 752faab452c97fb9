// The texts of the captions that are computed from the scenario, without any
// drawing.
#pragma once

#include <string>

#include "model/scenario.h"

// The character table that digits are taken from.
inline constexpr char digit_chars[] = "0123456789s";

// The three digits of a reduction ratio (hundreds, tens, ones, fraction
// dropped), or "###" when the ratio is below 0, 1000 or more, or not a number.
std::string ratio_digits(double v);

// "(hhh,hhh)" followed by a line feed, for the ratios of the selected robot; "###" for both when no robot is selected.
std::string ratio_text(const Conditions& s);

// Whole console sessions, start-up to ESC, compared byte for byte with recorded
// transcripts: both robots, both gravity modes, every window key that starts a
// dialogue, a failed solve with its retry, an unreachable SCARA point, and the
// answer n that ends the program. Set TOCSIM_GOLDEN_WRITE=1 to record anew.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/dialogue.h"
#include "app/session.h"
#include "app/startup.h"
#include "app/dialogue_texts.h"


namespace {

using dialogue_texts::run_to_end;
using dialogue_texts::status_of;

struct Recorded {
  const char* name;
  const char* input;        // everything typed on the console, in order
  const char* window_keys;  // keys typed into the window after start-up
  Lang lang = Lang::Ja;
};

// Runs start-up, then each window key through the key table, on one console.
std::string run_session(const Recorded& session, Encoding enc, int* status) {
  auto s = std::make_unique<Scenario>();
  Console con(session.input, enc);
  Ui out{con, session.lang};
  *status = status_of(run_to_end(run_startup(*s, out), out));
  if (*status != -1) return con.output();
  Session window(*s, out);
  for (const char* k = session.window_keys; *k; ++k) {
    if (window.key(static_cast<unsigned char>(*k), 0.0) == KeyAction::Quit) {
      *status = window.exit_status();
      break;
    }
  }
  return con.output();
}

std::string golden_path(const std::string& name) {
  return std::string(TOCSIM_GOLDEN_DIR) + "/sessions/" + name;
}

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

const Recorded kSessions[] = {
    // Cylindrical, no gravity: every condition key, view keys in between.
    {"cyl_h_all_keys",
     "a h n"
     " y 25 35\n h y 0.7 0.1 0.1 0.7\n"  // u: ratios, gravity, points
     " "                                  // g: recompute only
     " "                                  // h: recompute only
     " y 0.5 0.5 -0.5 0.5\n"              // k: points
     " n"                                 // b: heading gate
     " y z h n"                           // a: ratios kept, gravity h, points kept
     ,
     "ssswW0ughkbas0\x1b"},
    // SCARA with gravity: points with the elbow up, ratios, gravity off.
    {"scara_g_points_ratios",
     "b g n"
     " y 0.6 0.2 0.2 0.6\n2"  // k: points, elbow up
     " y 40 40\n h n"         // u: ratios, gravity h, points kept
     " "                      // g
     ,
     "kug\x1b"},
    // An unreachable SCARA end point, the failed solve, retry with robot a.
    {"scara_unreachable_retry", "b h y z h y 0.8 0 0 1.0\n1 x x y a n x", "\x1b"},
    // A failed solve answered with n ends the program with status 0: ratios
    // of 0 leave no torque to move with.
    {"cyl_failed_solve_ends", "a h y y 0 0\n h n n", "\x1b"},
    // Half a turn of the cylindrical robot: no motion of the passes'
    // structure, the fastest one found by the direct method.
    {"cyl_half_turn_direct", "a h y z h y 0.8 0 -0.8 0.01\n", "\x1b"},
    {"cyl_half_turn_direct_en", "a h y z h y 0.8 0 -0.8 0.01\n", "\x1b", Lang::En},
    // The default sessions: what the program prints before its window opens
    // (tests/e2e/console_session.sh compares the real program with these).
    {"cyl_default", "a h n", "\x1b"},
    {"scara_default", "b g n", "\x1b"},
    // The same in English, and a longer English session.
    {"cyl_default_en", "a h n", "\x1b", Lang::En},
    {"scara_default_en", "b g n", "\x1b", Lang::En},
    {"scara_unreachable_retry_en", "b h y z h y 0.8 0 0 1.0\n1 x x y a n x", "\x1b", Lang::En},
};

class SessionTranscript : public ::testing::TestWithParam<Recorded> {};

TEST_P(SessionTranscript, MatchesTheRecordedTranscriptInBothEncodings) {
  const Recorded& session = GetParam();
  for (const Encoding enc : {Encoding::Utf8, Encoding::Cp932}) {
    int status = -1;
    const std::string out = run_session(session, enc, &status);
    const std::string file = std::string(session.name) +
                             (enc == Encoding::Utf8 ? ".utf8.txt" : ".cp932.txt");
    const std::string with_status = out + "\n[status " + std::to_string(status) + "]\n";
    if (std::getenv("TOCSIM_GOLDEN_WRITE")) {
      std::ofstream(golden_path(file), std::ios::binary) << with_status;
      continue;
    }
    const std::string expected = read_file(golden_path(file));
    ASSERT_FALSE(expected.empty()) << "no transcript " << file;
    EXPECT_EQ(with_status, expected) << file;
  }
}

// The lines of a transcript, and the numbers in it, in order.
std::vector<std::string> lines_of(const std::string& s) {
  std::vector<std::string> out;
  std::istringstream in(s);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

// Decimal numbers with a point (as every printed value has), "nan" and "inf".
std::vector<std::string> numbers_of(const std::string& s) {
  std::vector<std::string> out;
  const auto digit = [&](std::size_t i) { return i < s.size() && s[i] >= '0' && s[i] <= '9'; };
  for (std::size_t i = 0; i < s.size();) {
    if (s.compare(i, 3, "nan") == 0 || s.compare(i, 3, "inf") == 0) {
      out.push_back(s.substr(i, 3));
      i += 3;
      continue;
    }
    if (!digit(i)) {
      ++i;
      continue;
    }
    std::size_t j = i;
    while (digit(j)) ++j;
    if (j < s.size() && s[j] == '.' && digit(j + 1)) {
      ++j;
      while (digit(j)) ++j;
      const std::size_t from = (i > 0 && s[i - 1] == '-') ? i - 1 : i;
      out.push_back(s.substr(from, j - from));
    }
    i = j;
  }
  return out;
}

// The English dialogue has the Japanese one's lines and numbers: a script
// that drives one drives the other.
TEST(SessionTranscript, EnglishHasTheSameLinesAndNumbersAsJapanese) {
  for (const char* name : {"cyl_default", "scara_default", "scara_unreachable_retry"}) {
    SCOPED_TRACE(name);
    const std::string ja = read_file(golden_path(std::string(name) + ".utf8.txt"));
    const std::string en = read_file(golden_path(std::string(name) + "_en.utf8.txt"));
    ASSERT_FALSE(ja.empty());
    ASSERT_FALSE(en.empty());
    EXPECT_EQ(lines_of(en).size(), lines_of(ja).size());
    EXPECT_EQ(numbers_of(en), numbers_of(ja));
    EXPECT_EQ(en.find("ロボット"), std::string::npos);  // no Japanese left
  }
}

INSTANTIATE_TEST_SUITE_P(Sessions, SessionTranscript, ::testing::ValuesIn(kSessions),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

// The motion CSV read back: header, line count, every value in its column.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "app/decimal_comma_locale.h"
#include "app/motion_csv.h"
#include "app/temp_folder.h"

namespace {

constexpr int kRows = 500;

// The record members the export reads, as a robot record has them.
struct Records {
  double toc_phi[kRows][2], toc_tip[kRows][2], toc_tau[kRows][2];
  double fb_phi[kRows][2], fb_tip[kRows][2], fb_tau[kRows][2];
  double toc_dq[kRows][2], fb_dq[kRows][2];
  double toc_sigma[kRows][2];
};

// Every value different, of mixed signs and magnitudes, with more digits than are written.
std::unique_ptr<Records> sample_records() {
  auto r = std::make_unique<Records>();
  std::mt19937_64 gen(20261207);
  std::uniform_real_distribution<double> mant(-1.0, 1.0);
  std::uniform_int_distribution<int> expo(-12, 6);
  for (double(*a)[2] :
       {r->toc_phi, r->toc_tip, r->toc_tau, r->fb_phi, r->fb_tip, r->fb_tau, r->toc_dq, r->fb_dq,
        r->toc_sigma})
    for (int k = 0; k < kRows; ++k)
      for (int j = 0; j < 2; ++j) a[k][j] = mant(gen) * std::pow(10.0, expo(gen));
  return r;
}

std::vector<std::string> split(const std::string& s, char sep) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(s);
  while (std::getline(in, part, sep)) parts.push_back(part);
  if (!s.empty() && s.back() == sep) parts.push_back("");
  return parts;
}

double parse(const std::string& field) {
  double v = NAN;
  const auto res = std::from_chars(field.data(), field.data() + field.size(), v);
  EXPECT_TRUE(res.ec == std::errc{} && res.ptr == field.data() + field.size()) << field;
  return v;
}

std::string printf_10g(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.10g", v);
  return buf;
}

// Columns 1..18 in the order of the header.
double expected_value(const Records& r, int k, int column) {
  const double(*arrays[9])[2] = {r.toc_phi, r.toc_tip, r.toc_tau, r.fb_phi, r.fb_tip,
                                 r.fb_tau,  r.toc_dq,  r.fb_dq,   r.toc_sigma};
  return arrays[(column - 1) / 2][k][(column - 1) % 2];
}

constexpr const char* kHeader =
    "t_s,toc_q1,toc_q2,toc_x_m,toc_y_m,toc_tau1,toc_tau2,pid_q1,pid_q2,pid_x_m,pid_y_m,pid_tau1,pid_tau2,"
    "toc_dq1,toc_dq2,pid_dq1,pid_dq2,toc_sigma1,toc_sigma2";

TEST(MotionCsv, ReadsBackValueByValue) {
  const auto rec = sample_records();
  const MotionView m = motion_view_of(*rec, 200, 0.02);
  EXPECT_EQ(m.capacity, kRows);
  const std::string csv = motion_csv(m);
  ASSERT_FALSE(csv.empty());
  ASSERT_EQ(csv.back(), '\n');
  EXPECT_EQ(csv.find('\r'), std::string::npos);
  std::vector<std::string> lines = split(csv, '\n');
  ASSERT_EQ(lines.back(), "");  // after the last line end
  lines.pop_back();
  ASSERT_EQ(lines.size(), 202u);
  EXPECT_EQ(lines[0], kHeader);
  EXPECT_EQ(std::string(kMotionCsvHeader), kHeader);
  for (int k = 0; k <= 200; ++k) {
    const std::vector<std::string> f = split(lines[k + 1], ',');
    ASSERT_EQ(f.size(), 19u) << "line " << k + 1;
    EXPECT_NEAR(parse(f[0]), k * 0.02, 1e-12) << "t at " << k;
    for (int c = 1; c <= 18; ++c) {
      const double want = expected_value(*rec, k, c);
      const double got = parse(f[c]);
      EXPECT_NEAR(got, want, 5e-10 * std::fabs(want)) << "sample " << k << " column " << c;
      EXPECT_EQ(f[c], printf_10g(want)) << "sample " << k << " column " << c;
    }
  }
}

TEST(MotionCsv, TimeColumnFollowsTheStep) {
  const auto rec = sample_records();
  const std::vector<std::string> lines = split(motion_csv(motion_view_of(*rec, 3, 0.04)), '\n');
  ASSERT_GE(lines.size(), 5u);
  EXPECT_EQ(split(lines[1], ',')[0], "0");
  EXPECT_EQ(split(lines[2], ',')[0], "0.04");
  EXPECT_EQ(split(lines[3], ',')[0], "0.08");
  EXPECT_EQ(split(lines[4], ',')[0], "0.12");
}

TEST(MotionCsv, OneSampleMotion) {
  const auto rec = sample_records();
  const std::string csv = motion_csv(motion_view_of(*rec, 0, 0.02));
  EXPECT_EQ(split(csv, '\n').size(), 3u);  // header, sample 0, "" after the end
}

TEST(MotionCsv, LastRowOfTheRecords) {
  const auto rec = sample_records();
  const std::vector<std::string> lines = split(motion_csv(motion_view_of(*rec, kRows - 1, 0.02)), '\n');
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(kRows + 2));
  EXPECT_EQ(split(lines[kRows], ',')[12], printf_10g(rec->fb_tau[kRows - 1][1]));
  EXPECT_EQ(split(lines[kRows], ',')[16], printf_10g(rec->fb_dq[kRows - 1][1]));
}

TEST(MotionCsv, ANanIsWrittenWithoutItsSignBit) {
  auto rec = sample_records();
  rec->fb_tau[1][0] = -std::numeric_limits<double>::quiet_NaN();
  rec->fb_tau[1][1] = std::numeric_limits<double>::quiet_NaN();
  rec->toc_dq[1][0] = -INFINITY;
  const std::vector<std::string> f = split(split(motion_csv(motion_view_of(*rec, 3, 0.02)), '\n')[2], ',');
  ASSERT_EQ(f.size(), 19u);
  EXPECT_EQ(f[11], "nan");
  EXPECT_EQ(f[12], "nan");
  EXPECT_EQ(f[13], "-inf");
}

TEST(MotionCsv, SameBytesInADecimalCommaLocale) {
  const auto rec = sample_records();
  const std::string in_c = motion_csv(motion_view_of(*rec, 50, 0.02));
  testlocale::DecimalComma comma;
  if (!comma.active()) GTEST_SKIP() << "no locale with a decimal comma could be made";
  EXPECT_EQ(motion_csv(motion_view_of(*rec, 50, 0.02)), in_c);
}

TEST(MotionCsv, NoTextForAViewThatIsNotValid) {
  const auto rec = sample_records();
  MotionView m = motion_view_of(*rec, 200, 0.02);
  ASSERT_TRUE(motion_view_valid(m));
  for (int bad : {-1, kRows, kRows + 100}) {
    m.frame_count = bad;
    EXPECT_FALSE(motion_view_valid(m)) << bad;
    EXPECT_EQ(motion_csv(m), "") << bad;
  }
  m.frame_count = 10;
  m.fb_tip = nullptr;
  EXPECT_FALSE(motion_view_valid(m));
  EXPECT_EQ(motion_csv(m), "");
  testfs::TempFolder d;
  const WriteResult r = write_motion_csv(d.path(), 'a', 'h', m);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.error, "cannot write " + (d / "tocsim-a-h.csv") + ": no stored motion to write");
  EXPECT_FALSE(write_motion_csv_to(d / "m.csv", m).ok);
  EXPECT_TRUE(d.entries().empty());
}

TEST(MotionCsv, FilesNamedByRobotAndGravity) {
  const auto rec = sample_records();
  const MotionView m = motion_view_of(*rec, 200, 0.02);
  testfs::TempFolder d;
  const WriteResult first = write_motion_csv(d.path(), 'b', 'g', m);
  ASSERT_TRUE(first.ok) << first.error;
  EXPECT_EQ(first.path, d / "tocsim-b-g.csv");
  EXPECT_EQ(testfs::read_file(first.path), motion_csv(m));
  const WriteResult second = write_motion_csv(d.path(), 'b', 'g', motion_view_of(*rec, 10, 0.02));
  ASSERT_TRUE(second.ok) << second.error;
  EXPECT_EQ(second.path, d / "tocsim-b-g-1.csv");
  EXPECT_EQ(testfs::read_file(first.path), motion_csv(m));
}

TEST(MotionCsv, ChosenFileIsReplaced) {
  const auto rec = sample_records();
  testfs::TempFolder d;
  testfs::put_file(d / "chosen.csv", std::string(100000, 'z'));
  const MotionView m = motion_view_of(*rec, 5, 0.02);
  const WriteResult r = write_motion_csv_to(d / "chosen.csv", m);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(testfs::read_file(d / "chosen.csv"), motion_csv(m));
}

}  // namespace

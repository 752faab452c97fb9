// The two start-up reports and the gravity report, byte for byte.
#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

#include "app/condition_report.h"
#include "app/startup.h"
#include "robot/conditions.h"

namespace {

const std::string kHeading =
    "\n\n/*************** 設定した最短時間制御の条件 ************************/";
const std::string kRule =
    "\n/***********************************************************************/\n";

const std::string kCylDefault =
    "\n\ninitialset() 仮の設定  円筒座標ロボットの場合" + kHeading +
    "\n円筒座標ロボット"
    "\nアーム先端集中質量（ワーク質量）mw=  1.0[kg]"
    "\nアーム慣性1       IJ1= 1.000[kg･m^2]    2 IJ2= 1.000[kg]"
    "\nＪ換算モータ慣性1 IM1= 0.360[kg･m^2]    2 mM2= 0.360[kg]"
    "\n減速比（変更可)   u1 =  30.0[rad/rad]     u2 =  30.0[rad/m]"
    "\n重力なし"
    "\nImp.Matchのときに(π/2，1)を2[s]で位置決めするトルク・力に設定"
    "\n最大トルク     τ1max= 1.885[Nm]       τ2max= 1.200[N])"
    "\nPTP始点 (x0,y0)=( 0.8000       0.0000)[m] 終点(xf,yf)=( 0.0000       0.8000)[m]"
    "\n関節変位   Φ0 =( 0.0000[rad]  0.8000[m])        Φf =( 1.5708[rad]  0.8000[m])"
    "\n立ち上がり関節加速度 α1= 0.955[rad/s^2]     a2= 0.000[m/s^2]"
    "\n終端時間             tf1= 1.925[s]          tf2= 0.000[s])"
    "\n遠心加速度から決まる tf3= 2.565[s]"
    "\nFB制御の位置決め時間：上記の長い方を選択，他をそれに合わせる tfm= 2.5651[s]" +
    kRule;

const std::string kScaraDefault =
    "\ninitialset() 仮の設定  SCARAロボットの場合" + kHeading +
    "\nSCARAロボット"
    "\nアーム先端集中質量 m1=   1.0[kg]        m2=mw=   1.0[kg]"
    "\nJ回りアーム慣性1  IJ1= 0.250[kg･m^2]    2 IJ2= 0.160[kg･m^2]"
    "\nＪ換算モータ慣性1 IM1= 0.090[kg･m^2]    2 IM2= 0.058[kg･m^2]"
    "\n減速比(変更可)    u1 =  30.0[rad/rad]     u2 =  30.0[rad/rad]"
    "\n重力なし"
    "\n最大慣性のときに上記加速度を出せるトルクに設定"
    "\n最大トルク     τ1max= 1.574[Nm]       τ2max= 2.564[Nm]"
    "\nPTP始点 (x0,y0)=( 0.8000  0.0000)[m] 終点(xf,yf)=( 0.0000  0.8000)[m]"
    "\n関節変位    Φ0=(-0.4214  0.9582)[rad]       Φf=( 1.1494  0.9582)[rad]"
    "\n立ち上がり関節加速度 α1= 1.445[rad/s^2]    α2= 0.000[rad/s^2]"
    "\n終端時間              tf1= 2.085[s]          tf2= 0.000[s])"
    "\nFB制御の位置決め時間：上記の長い方を選択，他をそれに合わせる tfm= 2.0849[s]" +
    kRule;

std::string to_cp932(const std::string& utf8) {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  std::string out(utf8.size() * 2 + 16, '\0');
  char* in = const_cast<char*>(utf8.data());
  size_t inleft = utf8.size();
  char* o = out.data();
  size_t oleft = out.size();
  size_t rc = iconv(cd, &in, &inleft, &o, &oleft);
  iconv_close(cd);
  EXPECT_NE(rc, static_cast<size_t>(-1)) << "every report text has a CP932 form";
  out.resize(out.size() - oleft);
  return out;
}

}  // namespace

TEST(ConditionReport, InitialsetPrintsBothDefaultReportsInUtf8) {
  Scenario s{};
  Console con("", Encoding::Utf8);
  { Ui sp{con, Lang::Ja}; initialset(s, sp); }
  EXPECT_EQ(con.output(), kCylDefault + kScaraDefault);
  EXPECT_EQ(s.robot_key, 'b');
  EXPECT_EQ(s.robot, parse_robot('b'));
  EXPECT_EQ(s.gravity_key, 'h');
  EXPECT_EQ(s.gravity, parse_gravity('h'));
  EXPECT_EQ(s.elbow, parse_elbow('1'));
}

TEST(ConditionReport, InitialsetPrintsBothDefaultReportsInCp932) {
  Scenario s{};
  Console con("", Encoding::Cp932);
  { Ui sp{con, Lang::Ja}; initialset(s, sp); }
  EXPECT_EQ(con.output(), to_cp932(kCylDefault + kScaraDefault));
}

TEST(ConditionReport, CylindricalWithGravityShowsGravityLimitsAndSameTimes) {
  Scenario s{};
  Console quiet("", Encoding::Utf8);
  { Ui sp{quiet, Lang::Ja}; initialset(s, sp); }
  select_robot(s, 'a');
  select_gravity(s, 'g');
  compute_conditions(s);
  Console con("", Encoding::Utf8);
  { Ui sp{con, Lang::Ja}; print_conditions(s, sp); }
  const std::string& out = con.output();
  EXPECT_NE(out.find("\n重力考慮\n最大慣性のときに(π/2，1)を2[s]で位置決めするトルク・力に設定"
                     "\n最大トルク     τ1max=11.685[Nm]       τ2max=11.000[N])"),
            std::string::npos)
      << out;
  EXPECT_EQ(out.find("重力なし"), std::string::npos);
  EXPECT_NE(out.find("tf1= 1.925[s]          tf2= 0.000[s])"), std::string::npos);
  EXPECT_NE(out.find("tf3= 2.565[s]"), std::string::npos);
  EXPECT_NE(out.find("tfm= 2.5651[s]"), std::string::npos);
}

TEST(ConditionReport, ScaraWithGravityReusesTheForceFormat) {
  Scenario s{};
  Console quiet("", Encoding::Utf8);
  { Ui sp{quiet, Lang::Ja}; initialset(s, sp); }
  select_gravity(s, 'g');
  compute_conditions(s);
  Console con("", Encoding::Utf8);
  { Ui sp{con, Lang::Ja}; print_conditions(s, sp); }
  // tau1max_g = (0.5 + 0.9) * 9.8 + 1.5739 = 15.294; tau2max_g = 3.92 + 2.5635 = 6.484
  EXPECT_NE(con.output().find("\n重力考慮"
                              "\nImp.Matchのときに90°を2[s]で位置決めする加速度を出せるトルクに設定"
                              "\n最大トルク     τ1max=15.294[Nm]       τ2max= 6.484[N])"),
            std::string::npos)
      << con.output();
}

TEST(ConditionReport, Tf3ShowsZeroBeforeTheCentrifugalLimitEverApplied) {
  Scenario s{};
  Console quiet("", Encoding::Utf8);
  { Ui sp{quiet, Lang::Ja}; initialset(s, sp); }
  select_robot(s, 'a');
  s.cyl.tf3 = 0;
  s.x0 = 0.5;  // purely radial move: D1 = 0, the limit never applies
  s.y0 = 0;
  s.xf = 0.9;
  s.yf = 0;
  // cylindrical joint values are refreshed by whoever sets the points
  s.cyl.Phi0[0] = 0;
  s.cyl.Phi0[1] = 0.5;
  s.cyl.Phif[0] = 0;
  s.cyl.Phif[1] = 0.9;
  compute_conditions(s);
  Console con("", Encoding::Utf8);
  { Ui sp{con, Lang::Ja}; print_conditions(s, sp); }
  EXPECT_NE(con.output().find("\n遠心加速度から決まる tf3= 0.000[s]"), std::string::npos);
}

TEST(ConditionReport, UnknownRobotPrintsOnlyTheHeading) {
  Scenario s{};
  Console quiet("", Encoding::Utf8);
  { Ui sp{quiet, Lang::Ja}; initialset(s, sp); }
  select_robot(s, 'x');
  Console con("", Encoding::Utf8);
  { Ui sp{con, Lang::Ja}; print_conditions(s, sp); }
  EXPECT_EQ(con.output(), kHeading);
}

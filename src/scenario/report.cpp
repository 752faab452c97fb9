// The condition report of the selected robot, as the console shows it.
#include "scenario/conditions.h"

namespace {

const char* const kTorqueLineN = "\n最大トルク     τ1max=%6.3f[Nm]       τ2max=%6.3f[N])";
const char* const kRule = "\n/***********************************************************************/";
const char* const kTfm = "\nFB制御の位置決め時間：上記の長い方を選択，他をそれに合わせる tfm=%7.4f[s]";

void print_cyl(const Scenario& s, Console& con) {
  const CylRecord& c = s.cyl;
  con.print("\n円筒座標ロボット");
  con.printf("\nアーム先端集中質量（ワーク質量）mw=%5.1f[kg]", s.mw);
  con.printf("\nアーム慣性1       IJ1=%6.3f[kg･m^2]    2 IJ2=%6.3f[kg]", c.IJ1, s.mw);
  con.printf("\nＪ換算モータ慣性1 IM1=%6.3f[kg･m^2]    2 mM2=%6.3f[kg]", c.IM1, c.mM2);
  con.printf("\n減速比（変更可)   u1 =%6.1f[rad/rad]     u2 =%6.1f[rad/m]", c.u1, c.u2);
  if (s.gravity_mode == 'g') {
    con.print("\n重力考慮");
    con.print("\n最大慣性のときに(π/2，1)を2[s]で位置決めするトルク・力に設定");
    con.printf(kTorqueLineN, c.tau1max_g, c.tau2max_g);
  } else {
    con.print("\n重力なし");
    con.print("\nImp.Matchのときに(π/2，1)を2[s]で位置決めするトルク・力に設定");
    con.printf(kTorqueLineN, c.tau1max_h, c.tau2max_h);
  }
  con.printf("\nPTP始点 (x0,y0)=(%7.4f      %7.4f)[m] 終点(xf,yf)=(%7.4f      %7.4f)[m]",
             s.x0, s.y0, s.xf, s.yf);
  con.printf("\n関節変位   Φ0 =(%7.4f[rad] %7.4f[m])        Φf =(%7.4f[rad] %7.4f[m])",
             c.Phi0[0], c.Phi0[1], c.Phif[0], c.Phif[1]);
  con.printf("\n立ち上がり関節加速度 α1=%6.3f[rad/s^2]     a2=%6.3f[m/s^2]", c.alpha1, c.a2);
  con.printf("\n終端時間             tf1=%6.3f[s]          tf2=%6.3f[s])", c.tf1, c.tf2);
  con.printf("\n遠心加速度から決まる tf3=%6.3f[s]", c.tf3);
  con.printf(kTfm, s.tfm);
  con.print(kRule);
  con.print("\n");
}

void print_scara(const Scenario& s, Console& con) {
  const ScaraRecord& b = s.scara;
  con.print("\nSCARAロボット");
  con.printf("\nアーム先端集中質量 m1=%6.1f[kg]        m2=mw=%6.1f[kg]", b.m1, s.mw);
  con.printf("\nJ回りアーム慣性1  IJ1=%6.3f[kg･m^2]    2 IJ2=%6.3f[kg･m^2]", b.IJ1, b.IJ2);
  con.printf("\nＪ換算モータ慣性1 IM1=%6.3f[kg･m^2]    2 IM2=%6.3f[kg･m^2]", b.IM1, b.IM2);
  con.printf("\n減速比(変更可)    u1 =%6.1f[rad/rad]     u2 =%6.1f[rad/rad]", b.u1, b.u2);
  if (s.gravity_mode == 'g') {
    con.print("\n重力考慮");
    con.print("\nImp.Matchのときに90°を2[s]で位置決めする加速度を出せるトルクに設定");
    con.printf(kTorqueLineN, b.tau1max_g, b.tau2max_g);
  } else {
    con.print("\n重力なし");
    con.print("\n最大慣性のときに上記加速度を出せるトルクに設定");
    con.printf("\n最大トルク     τ1max=%6.3f[Nm]       τ2max=%6.3f[Nm]", b.tau1max_h,
               b.tau2max_h);
  }
  con.printf("\nPTP始点 (x0,y0)=(%7.4f %7.4f)[m] 終点(xf,yf)=(%7.4f %7.4f)[m]", s.x0, s.y0,
             s.xf, s.yf);
  con.printf("\n関節変位    Φ0=(%7.4f %7.4f)[rad]       Φf=(%7.4f %7.4f)[rad]", b.Phi0[0],
             b.Phi0[1], b.Phif[0], b.Phif[1]);
  con.printf("\n立ち上がり関節加速度 α1=%6.3f[rad/s^2]    α2=%6.3f[rad/s^2]", b.alpha1,
             b.alpha2);
  con.printf("\n終端時間              tf1=%6.3f[s]          tf2=%6.3f[s])", b.tf1, b.tf2);
  con.printf(kTfm, s.tfm);
  con.print(kRule);
  con.print("\n");
}

}  // namespace

void print_conditions(const Scenario& s, Console& con) {
  con.print("\n\n/*************** 設定した最短時間制御の条件 ************************/");
  if (s.robot_type == 'a') print_cyl(s, con);
  else if (s.robot_type == 'b') print_scara(s, con);
}

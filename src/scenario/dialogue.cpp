// The console dialogue: key help, report, questions, recomputation, solver with
// its retry loop, feedback run and result lines.
#include "scenario/dialogue.h"

#include "fbc/feedback_run.h"
#include "robot/kinematics.h"
#include "scenario/conditions.h"
#include "toc/time_optimal.h"

namespace {

void print_key_help(Console& con) {
  con.print("\n\n描画画面上でキーによる操作選択");
  con.print("\n(1)   'a' 'b' : 円筒座標・SCARAロボットの選択");
  con.print("\n(2)   'u'     : 減速機の減速比変更");
  con.print("\n(3)   'g' 'h' : 重力有り(垂直運動）・なし(水平運動)の選択");
  con.print("\n(4)   'k'     : 運動の始点・終点変更");
  con.print("\n(5) 描画の選択");
  con.print("\n(5-1) 's'    ：運動継続");
  con.print("\n(5-2) '0'    ：運動初期に戻す");
  con.print("\n(5-4) 'w' 'W'：ロボット図の縮小拡大");
  con.print("\n(6)   ESC    ：終了                                描画画面へ");
}

// Where the questions of one dialogue run begin.
enum class Entry { Heading, Ratios, Points, Recompute };

Entry entry_for(char last_key) {
  switch (last_key) {
    case 'u': return Entry::Ratios;
    case 'k': return Entry::Points;
    case 'g':
    case 'h': return Entry::Recompute;
    default: return Entry::Heading;
  }
}

// Reads two ratios; values that cannot be read keep their old value.
void ask_ratios(RobotRecord& r, const char* prompt, Console& con) {
  con.printf(prompt, r.u1, r.u2);
  double u[2] = {r.u1, r.u2};
  con.read_numbers(u, 2);
  r.u1 = u[0];
  r.u2 = u[1];
}

// Ratios, gravity; returns false when the user wants no further questions.
bool ask_ratios_and_gravity(Scenario& s, Console& con) {
  con.print("\n(2) 減速機変更？：y  減速機は変更しない：z  以下全て変更しない : n   ");
  const char key = con.read_key();
  if (key == 'n') return false;
  if (key != 'z') {
    if (s.robot_type == 'a')
      ask_ratios(s.cyl, "\n(2) 回転・直動関節減速比(旧u1 u2=%5.2f %5.2f)  u1 u2=", con);
    else if (s.robot_type == 'b')
      ask_ratios(s.scara, "\n(2) 第1,2関節減速比(旧u1 u2=%5.2f %5.2f)  u1 u2=", con);
  }
  con.print("\n(3) 重力考慮の有無：");
  con.print(s.gravity_mode == 'g' ? " 旧有り(g)" : " 旧なし(h)");
  con.print("\n変更　重力考慮する？　yes:g   no:h    ");
  s.gravity_mode = con.read_key();
  return true;
}

void ask_elbow(Scenario& s, Console& con) {
  con.print("\n肘下折れ曲がり：1　上折れ曲がり：2  入力  ");
  s.elbow_mode = con.read_key();
  ScaraRecord& b = s.scara;
  const double ref[2] = {0, 0};
  if (s.elbow_mode == '1') {
    scara_ik_elbow_down(b.l1, b.l2, s.x0, s.y0, ref, b.Phi0, con);
    scara_ik_elbow_down(b.l1, b.l2, s.xf, s.yf, ref, b.Phif, con);
  } else if (s.elbow_mode == '2') {
    scara_ik_elbow_up(b.l1, b.l2, s.x0, s.y0, ref, b.Phi0, con);
    scara_ik_elbow_up(b.l1, b.l2, s.xf, s.yf, ref, b.Phif, con);
  }
}

void ask_points(Scenario& s, Console& con) {
  con.print("\n(3-1) PTP運動の始点終点変更");
  con.printf("\n    旧始点 (x0,y0)=(%6.3f %6.3f)[m]", s.x0, s.y0);
  con.printf("   終点 (xf,yf)=(%6.3f %6.3f)[m]", s.xf, s.yf);
  con.print("\n    変更する？　yes:y   no:n   ");
  if (con.read_key() == 'n') return;
  con.print("\n      入力　x0 y0 xf yf=");
  double p[4] = {s.x0, s.y0, s.xf, s.yf};
  con.read_numbers(p, 4);
  s.x0 = p[0];
  s.y0 = p[1];
  s.xf = p[2];
  s.yf = p[3];
  cylindrical_ik(s.x0, s.y0, s.cyl.Phi0);
  cylindrical_ik(s.xf, s.yf, s.cyl.Phif);
  if (s.robot_type == 'b') ask_elbow(s, con);
}

// The questions from the given entry on, up to the recomputation.
void ask_questions(Scenario& s, Console& con, Entry entry) {
  switch (entry) {
    case Entry::Heading:
      if (s.robot_type == 'a') con.print("\n\n(a) 円筒座標ロボットの最短時間制御とFB制御の比較");
      if (s.robot_type == 'b') con.print("\n\n(b) SCARAロボットの最短時間制御とFB制御の比較");
      con.print("\n   条件のどれか変更する？　yes : y   no : n    ");
      if (con.read_key() == 'n') return;
      [[fallthrough]];
    case Entry::Ratios:
      if (!ask_ratios_and_gravity(s, con)) return;
      [[fallthrough]];
    case Entry::Points:
      ask_points(s, con);
      return;
    case Entry::Recompute:
      return;
  }
}

// Warns when the feedback arm is still more than 0.1 from its joint-1 goal at
// the positioning time. A time outside the record (beyond frame_count samples,
// or not a number after an unreachable point) has no sample to test: skipped.
void check_saturation(const Scenario& s, Console& con) {
  const RobotRecord* r = nullptr;
  if (s.robot_type == 'a') r = &s.cyl;
  else if (s.robot_type == 'b') r = &s.scara;
  else return;
  const double q = s.tfm / s.dt;
  if (!(q >= 0 && q < s.frame_count + 1.0) || s.frame_count >= kRecordCapacity) return;
  const int k = static_cast<int>(q);
  const double miss = r->fb_phi[k][0] - r->Phif[0];
  if (miss > 0.1 || miss < -0.1)
    con.printf("\n\n位置決め時間tf=%6.3f[s]ではトルク飽和して追従できない", r->tf);
}

}  // namespace

void run_condition_dialogue(Scenario& s, Console& con) {
  print_key_help(con);
  print_conditions(s, con);
  Entry entry = entry_for(s.last_key);
  for (;;) {
    ask_questions(s, con, entry);
    compute_conditions(s, con);
    print_conditions(s, con);
    con.print("\n");

    s.dt = 4.0 / s.frame_count;
    if (s.tfm > 4.0) s.dt = 8.0 / s.frame_count;

    con.print("\n\n　　　只今計算中．．．．．．．\n");
    s.control_mode = 'T';
    if (compute_time_optimal(s, con) == 1) break;

    con.print("\n切り替え時刻の解なし  別の条件で計算する？  yes:y   no:n  ");
    if (con.read_key() == 'n') con.terminate(0);
    con.print("\n入力　円筒座標ロボット : a    SCARAロボット : b   ");
    s.robot_type = con.read_key();
    entry = Entry::Ratios;
  }

  con.print("\n最短時間制御の切り替え時間が求められた");
  const double* tt = nullptr;
  if (s.robot_type == 'a') tt = s.cyl.tt;
  if (s.robot_type == 'b') tt = s.scara.tt;
  if (tt)
    con.printf("\n切り替え・位置決め時間tt[]=(%7.4f %7.4f %7.4f %7.4f)[s]", tt[0], tt[1], tt[2],
               tt[3]);
  con.printf("\nFB制御の位置決め時間 tfm=%7.4f[s]", s.tfm);

  s.control_mode = 'F';
  run_feedback_simulation(s, s.robot_type, s.dt, s.frame_count,
                          model_record(s, s.robot_type).Phi0);
  con.print("\n　　   　計算終了");

  check_saturation(s, con);
  con.print("\n\n描画画面へ       ");
  s.view_scale = 1.0;
  s.frame_index = 0;
}

void run_startup(Scenario& s, Console& con) {
  con.print("\n\nロボットの最短時間制御(TOC)シミュレーション");
  con.print("\nフィードバック制御(FBC)との時間・軌道比較");
  initialset(s, con);
  con.print("\nロボットの選択   a:円筒座標ロボット　b:SCARAロボット　type=");
  s.robot_type = con.read_key();
  con.printf(" %c", s.robot_type);
  con.print("\n重力考慮？　　yes ; g    no : h   sgnG=");
  s.gravity_mode = con.read_key();
  con.printf(" %c", s.gravity_mode);
  s.elbow_mode = '1';
  s.last_key = '0';
  run_condition_dialogue(s, con);
}

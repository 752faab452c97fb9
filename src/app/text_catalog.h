// Every text the program shows on the console and as the window title, one
// entry per text, one column per language. Texts are UTF-8; the console
// converts them to its encoding. A printf-style text takes the same
// conversions, in the same order, in every language.
#pragma once

enum class Lang { Ja, En };

// X(name, Japanese, English); an English text of nullptr falls back to Japanese.
#define TOCSIM_TEXTS(X)                                                                          \
  X(StartTitle,                                                                                  \
    "\n\nロボットの最短時間制御(TOC)シミュレーション"                                            \
    "\nフィードバック制御(FBC)との時間・軌道比較",                                               \
    nullptr)                                                                                     \
  X(DefaultsCyl, "\n\ninitialset() 仮の設定  円筒座標ロボットの場合", nullptr)                   \
  X(DefaultsScara, "\ninitialset() 仮の設定  SCARAロボットの場合", nullptr)                      \
  X(RobotQuestion, "\nロボットの選択   a:円筒座標ロボット　b:SCARAロボット　type=", nullptr)     \
  X(GravityQuestion, "\n重力考慮？　　yes ; g    no : h   sgnG=", nullptr)                       \
  X(KeyHelp,                                                                                     \
    "\n\n描画画面上でキーによる操作選択"                                                         \
    "\n(1)   'a' 'b' : 円筒座標・SCARAロボットの選択"                                            \
    "\n(2)   'u'     : 減速機の減速比変更"                                                       \
    "\n(3)   'g' 'h' : 重力有り(垂直運動）・なし(水平運動)の選択"                                \
    "\n(4)   'k'     : 運動の始点・終点変更"                                                     \
    "\n(5) 描画の選択"                                                                           \
    "\n(5-1) 's'    ：運動継続"                                                                  \
    "\n(5-2) '0'    ：運動初期に戻す"                                                            \
    "\n(5-4) 'w' 'W'：ロボット図の縮小拡大"                                                      \
    "\n(6)   ESC    ：終了                                描画画面へ",                           \
    nullptr)                                                                                     \
  X(HeadingCyl, "\n\n(a) 円筒座標ロボットの最短時間制御とFB制御の比較", nullptr)                 \
  X(HeadingScara, "\n\n(b) SCARAロボットの最短時間制御とFB制御の比較", nullptr)                  \
  X(ChangeGate, "\n   条件のどれか変更する？　yes : y   no : n    ", nullptr)                    \
  X(RatioGate, "\n(2) 減速機変更？：y  減速機は変更しない：z  以下全て変更しない : n   ", nullptr) \
  X(RatiosCyl, "\n(2) 回転・直動関節減速比(旧u1 u2=%5.2f %5.2f)  u1 u2=", nullptr)             \
  X(RatiosScara, "\n(2) 第1,2関節減速比(旧u1 u2=%5.2f %5.2f)  u1 u2=", nullptr)                 \
  X(GravityWas, "\n(3) 重力考慮の有無：", nullptr)                                              \
  X(GravityWasOn, " 旧有り(g)", nullptr)                                                         \
  X(GravityWasOff, " 旧なし(h)", nullptr)                                                        \
  X(GravityChange, "\n変更　重力考慮する？　yes:g   no:h    ", nullptr)                          \
  X(PointsGate,                                                                                  \
    "\n(3-1) PTP運動の始点終点変更"                                                              \
    "\n    旧始点 (x0,y0)=(%6.3f %6.3f)[m]   終点 (xf,yf)=(%6.3f %6.3f)[m]"                      \
    "\n    変更する？　yes:y   no:n   ",                                                         \
    nullptr)                                                                                     \
  X(PointsInput, "\n      入力　x0 y0 xf yf=", nullptr)                                          \
  X(ElbowQuestion, "\n肘下折れ曲がり：1　上折れ曲がり：2  入力  ", nullptr)                      \
  X(Unreachable,                                                                                 \
    "\n!!! 逆運動学の解なし．始めからやり直し．"                                                 \
    "\n    アーム長1,2=(%6.3f %6.3f) 位置(x,y)=(%6.3f %6.3f)",                                   \
    nullptr)                                                                                     \
  X(Computing, "\n\n　　　只今計算中．．．．．．．\n", nullptr)                                  \
  X(SolverTitleCyl, "\n円筒座標ロボットのPTP最短時間制御", nullptr)                              \
  X(SolverTitleScara, "\nSCARAロボットのPTP最短時間制御", nullptr)                               \
  X(SolverGravityOn, "\n重力考慮する", nullptr)                                                  \
  X(SolverGravityOff, "\n重力考慮しない", nullptr)                                               \
  X(NoSolution, "\n切り替え時刻の解なし  別の条件で計算する？  yes:y   no:n  ", nullptr)         \
  X(RetryRobot, "\n入力　円筒座標ロボット : a    SCARAロボット : b   ", nullptr)                 \
  X(Solved, "\n最短時間制御の切り替え時間が求められた", nullptr)                                 \
  X(SwitchingTimes, "\n切り替え・位置決め時間tt[]=(%7.4f %7.4f %7.4f %7.4f)[s]", nullptr)       \
  X(PidPositioningTime, "\nFB制御の位置決め時間 tfm=%7.4f[s]", nullptr)                          \
  X(Done, "\n　　   　計算終了", nullptr)                                                        \
  X(Saturated, "\n\n位置決め時間tf=%6.3f[s]ではトルク飽和して追従できない", nullptr)             \
  X(ToWindow, "\n\n描画画面へ       ", nullptr)                                                  \
  X(InputEnded, "\nコンソール入力が終わりました。終了します。\n", nullptr)                       \
  X(WindowTitle,                                                                                 \
    "a,b:ロボット選択, u:減速, g,h:重力, k:始終点 変更，W,w:画面拡大縮小，0:初期へ，s:継続",     \
    nullptr)                                                                                     \
  /* The condition report. */                                                                    \
  X(ReportHeader, "\n\n/*************** 設定した最短時間制御の条件 ************************/",  \
    nullptr)                                                                                     \
  X(ReportRule,                                                                                  \
    "\n/***********************************************************************/\n", nullptr)  \
  X(ReportGravityOn, "\n重力考慮", nullptr)                                                      \
  X(ReportGravityOff, "\n重力なし", nullptr)                                                     \
  X(ReportTorques, "\n最大トルク     τ1max=%6.3f[Nm]       τ2max=%6.3f[N])", nullptr)           \
  X(ReportPidTime,                                                                               \
    "\nFB制御の位置決め時間：上記の長い方を選択，他をそれに合わせる tfm=%7.4f[s]", nullptr)       \
  X(CylName, "\n円筒座標ロボット", nullptr)                                                      \
  X(CylWorkMass, "\nアーム先端集中質量（ワーク質量）mw=%5.1f[kg]", nullptr)                      \
  X(CylArmInertia, "\nアーム慣性1       IJ1=%6.3f[kg･m^2]    2 IJ2=%6.3f[kg]", nullptr)           \
  X(CylMotorInertia, "\nＪ換算モータ慣性1 IM1=%6.3f[kg･m^2]    2 mM2=%6.3f[kg]", nullptr)        \
  X(CylRatios, "\n減速比（変更可)   u1 =%6.1f[rad/rad]     u2 =%6.1f[rad/m]", nullptr)           \
  X(CylTorqueRuleOn, "\n最大慣性のときに(π/2，1)を2[s]で位置決めするトルク・力に設定", nullptr)  \
  X(CylTorqueRuleOff, "\nImp.Matchのときに(π/2，1)を2[s]で位置決めするトルク・力に設定",        \
    nullptr)                                                                                     \
  X(CylPoints,                                                                                   \
    "\nPTP始点 (x0,y0)=(%7.4f      %7.4f)[m] 終点(xf,yf)=(%7.4f      %7.4f)[m]", nullptr)         \
  X(CylJointValues,                                                                              \
    "\n関節変位   Φ0 =(%7.4f[rad] %7.4f[m])        Φf =(%7.4f[rad] %7.4f[m])", nullptr)          \
  X(CylRiseAccelerations, "\n立ち上がり関節加速度 α1=%6.3f[rad/s^2]     a2=%6.3f[m/s^2]",        \
    nullptr)                                                                                     \
  X(CylTerminalTimes, "\n終端時間             tf1=%6.3f[s]          tf2=%6.3f[s])", nullptr)     \
  X(CylCentrifugalTime, "\n遠心加速度から決まる tf3=%6.3f[s]", nullptr)                          \
  X(ScaraName, "\nSCARAロボット", nullptr)                                                       \
  X(ScaraMasses, "\nアーム先端集中質量 m1=%6.1f[kg]        m2=mw=%6.1f[kg]", nullptr)            \
  X(ScaraArmInertia, "\nJ回りアーム慣性1  IJ1=%6.3f[kg･m^2]    2 IJ2=%6.3f[kg･m^2]", nullptr)     \
  X(ScaraMotorInertia, "\nＪ換算モータ慣性1 IM1=%6.3f[kg･m^2]    2 IM2=%6.3f[kg･m^2]", nullptr)  \
  X(ScaraRatios, "\n減速比(変更可)    u1 =%6.1f[rad/rad]     u2 =%6.1f[rad/rad]", nullptr)       \
  X(ScaraTorqueRuleOn, "\nImp.Matchのときに90°を2[s]で位置決めする加速度を出せるトルクに設定",  \
    nullptr)                                                                                     \
  X(ScaraTorqueRuleOff, "\n最大慣性のときに上記加速度を出せるトルクに設定", nullptr)             \
  X(ScaraTorquesOff, "\n最大トルク     τ1max=%6.3f[Nm]       τ2max=%6.3f[Nm]", nullptr)         \
  X(ScaraPoints, "\nPTP始点 (x0,y0)=(%7.4f %7.4f)[m] 終点(xf,yf)=(%7.4f %7.4f)[m]", nullptr)      \
  X(ScaraJointValues, "\n関節変位    Φ0=(%7.4f %7.4f)[rad]       Φf=(%7.4f %7.4f)[rad]",         \
    nullptr)                                                                                     \
  X(ScaraRiseAccelerations, "\n立ち上がり関節加速度 α1=%6.3f[rad/s^2]    α2=%6.3f[rad/s^2]",    \
    nullptr)                                                                                     \
  X(ScaraTerminalTimes, "\n終端時間              tf1=%6.3f[s]          tf2=%6.3f[s])", nullptr)

enum class Text {
#define TOCSIM_TEXT_NAME(name, ja, en) name,
  TOCSIM_TEXTS(TOCSIM_TEXT_NAME)
#undef TOCSIM_TEXT_NAME
      Count
};

// The text in the language (UTF-8).
const char* text(Text id, Lang lang);

// The entry's name, for messages of tests.
const char* text_name(Text id);

// Every text the program shows on the console and as the window title, one
// entry per text, one column per language. Texts are UTF-8; the console
// converts them to its encoding. A printf-style text takes the same
// conversions, in the same order, in every language.
#pragma once

enum class Lang { Ja, En };

// X(name, Japanese, English)
#define TOCSIM_TEXTS(X)                                                                                       \
  X(StartTitle,                                                                                               \
    "\n\nロボットの最短時間制御(TOC)シミュレーション"                                                                            \
    "\nフィードバック制御(FBC)との時間・軌道比較",                                                                              \
    "\n\nTime-optimal control (TOC) simulation of robots"                                                     \
    "\nTime and path compared with feedback control (FBC)")                                                   \
  X(DefaultsCyl,                                                                                              \
    "\n\ninitialset() 仮の設定  円筒座標ロボットの場合",                                                                     \
    "\n\ninitialset() provisional settings for the cylindrical-coordinate robot")                             \
  X(DefaultsScara,                                                                                            \
    "\ninitialset() 仮の設定  SCARAロボットの場合",                                                                      \
    "\ninitialset() provisional settings for the SCARA robot")                                                \
  X(RobotQuestion,                                                                                            \
    "\nロボットの選択   a:円筒座標ロボット　b:SCARAロボット　type=",                                                               \
    "\nSelect the robot   a:cylindrical-coordinate robot  b:SCARA robot  type=")                              \
  X(GravityQuestion,                                                                                          \
    "\n重力考慮？　　yes ; g    no : h   sgnG=",                                                                     \
    "\nConsider gravity?    yes ; g    no : h   sgnG=")                                                       \
  X(KeyHelp,                                                                                                  \
    "\n\n描画画面上でキーによる操作選択"                                                                                     \
    "\n(1)   'a' 'b' : 円筒座標・SCARAロボットの選択"                                                                     \
    "\n(2)   'u'     : 減速機の減速比変更"                                                                             \
    "\n(3)   'g' 'h' : 重力有り(垂直運動）・なし(水平運動)の選択"                                                                \
    "\n(4)   'k'     : 運動の始点・終点変更"                                                                            \
    "\n(5) 描画の選択"                                                                                             \
    "\n(5-1) 's'    ：運動継続"                                                                                    \
    "\n(5-2) '0'    ：運動初期に戻す"                                                                                 \
    "\n(5-4) 'w' 'W'：ロボット図の縮小拡大"                                                                              \
    "\n(6)   ESC    ：終了                                描画画面へ",                                                \
    "\n\nKeys in the drawing window"                                                                          \
    "\n(1)   'a' 'b' : select the cylindrical-coordinate / SCARA robot"                                       \
    "\n(2)   'u'     : change the reduction ratios of the gears"                                              \
    "\n(3)   'g' 'h' : with gravity (vertical motion) / without (horizontal motion)"                          \
    "\n(4)   'k'     : change the start and end points of the motion"                                         \
    "\n(5) Display"                                                                                           \
    "\n(5-1) 's'     : continue the motion"                                                                   \
    "\n(5-2) '0'     : back to the start of the motion"                                                       \
    "\n(5-4) 'w' 'W' : shrink / enlarge the robot picture"                                                    \
    "\n(6)   ESC     : quit                                to the drawing window")                            \
  X(HeadingCyl,                                                                                               \
    "\n\n(a) 円筒座標ロボットの最短時間制御とFB制御の比較",                                                                        \
    "\n\n(a) Cylindrical-coordinate robot: time-optimal control compared with PID control")                   \
  X(HeadingScara,                                                                                             \
    "\n\n(b) SCARAロボットの最短時間制御とFB制御の比較",                                                                       \
    "\n\n(b) SCARA robot: time-optimal control compared with PID control")                                    \
  X(ChangeGate,                                                                                               \
    "\n   条件のどれか変更する？　yes : y   no : n    ",                                                                  \
    "\n   Change any of the conditions?  yes : y   no : n    ")                                               \
  X(RatioGate,                                                                                                \
    "\n(2) 減速機変更？：y  減速機は変更しない：z  以下全て変更しない : n   ",                                                          \
    "\n(2) Change the reduction ratios? : y  keep the ratios : z  change nothing further : n   ")             \
  X(RatiosCyl,                                                                                                \
    "\n(2) 回転・直動関節減速比(旧u1 u2=%5.2f %5.2f)  u1 u2=",                                                           \
    "\n(2) Reduction ratios of the rotary and prismatic joints (old u1 u2=%5.2f %5.2f)  u1 u2=")              \
  X(RatiosScara,                                                                                              \
    "\n(2) 第1,2関節減速比(旧u1 u2=%5.2f %5.2f)  u1 u2=",                                                            \
    "\n(2) Reduction ratios of joints 1 and 2 (old u1 u2=%5.2f %5.2f)  u1 u2=")                               \
  X(GravityWas,                                                                                               \
    "\n(3) 重力考慮の有無：",                                                                                         \
    "\n(3) Gravity:")                                                                                         \
  X(GravityWasOn,                                                                                             \
    " 旧有り(g)",                                                                                                \
    " previously with (g)")                                                                                   \
  X(GravityWasOff,                                                                                            \
    " 旧なし(h)",                                                                                                \
    " previously without (h)")                                                                                \
  X(GravityChange,                                                                                            \
    "\n変更　重力考慮する？　yes:g   no:h    ",                                                                          \
    "\nNew setting: consider gravity?  yes:g   no:h    ")                                                     \
  X(PointsGate,                                                                                               \
    "\n(3-1) PTP運動の始点終点変更"                                                                                    \
    "\n    旧始点 (x0,y0)=(%6.3f %6.3f)[m]   終点 (xf,yf)=(%6.3f %6.3f)[m]"                                        \
    "\n    変更する？　yes:y   no:n   ",                                                                            \
    "\n(3-1) Change the start and end points of the PTP motion"                                               \
    "\n    old start (x0,y0)=(%6.3f %6.3f)[m]   end (xf,yf)=(%6.3f %6.3f)[m]"                                 \
    "\n    Change them?  yes:y   no:n   ")                                                                    \
  X(PointsInput,                                                                                              \
    "\n      入力　x0 y0 xf yf=",                                                                                \
    "\n      enter x0 y0 xf yf=")                                                                             \
  X(ElbowQuestion,                                                                                            \
    "\n肘下折れ曲がり：1　上折れ曲がり：2  入力  ",                                                                             \
    "\nElbow down: 1  elbow up: 2  enter  ")                                                                  \
  X(Unreachable,                                                                                              \
    "\n!!! 逆運動学の解なし．始めからやり直し．"                                                                                \
    "\n    アーム長1,2=(%6.3f %6.3f) 位置(x,y)=(%6.3f %6.3f)",                                                      \
    "\n!!! No solution of the inverse kinematics. Start again from the beginning."                            \
    "\n    arm lengths 1,2=(%6.3f %6.3f) position (x,y)=(%6.3f %6.3f)")                                       \
  X(Computing,                                                                                                \
    "\n\n　　　只今計算中．．．．．．．"                                                                                     \
    "\n",                                                                                                     \
    "\n\n      Computing now......."                                                                          \
    "\n")                                                                                                     \
  X(SolverTitleCyl,                                                                                           \
    "\n円筒座標ロボットのPTP最短時間制御",                                                                                   \
    "\nPTP time-optimal control of the cylindrical-coordinate robot")                                         \
  X(SolverTitleScara,                                                                                         \
    "\nSCARAロボットのPTP最短時間制御",                                                                                  \
    "\nPTP time-optimal control of the SCARA robot")                                                          \
  X(SolverGravityOn,                                                                                          \
    "\n重力考慮する",                                                                                               \
    "\nwith gravity")                                                                                         \
  X(SolverGravityOff,                                                                                         \
    "\n重力考慮しない",                                                                                              \
    "\nwithout gravity")                                                                                      \
  X(NoSolution,                                                                                               \
    "\n切り替え時刻の解なし  別の条件で計算する？  yes:y   no:n  ",                                                               \
    "\nNo solution for the switching times  compute with other conditions?  yes:y   no:n  ")                  \
  X(WindowNoMotion,                                                                                           \
    "\n切り替え時刻の解なし  画面での変更を取り消した",                                                                          \
    "\nNo solution for the switching times  the change made in the window was taken back")                   \
  X(RetryRobot,                                                                                               \
    "\n入力　円筒座標ロボット : a    SCARAロボット : b   ",                                                                  \
    "\nEnter  cylindrical-coordinate robot : a    SCARA robot : b   ")                                        \
  X(Solved,                                                                                                   \
    "\n最短時間制御の切り替え時間が求められた",                                                                                  \
    "\nThe switching times of the time-optimal control were found")                                           \
  X(FoundBySearch,                                                                                            \
    "\n（2回のニュートン法では解が得られず，多始点探索で求めた）",                                                                        \
    "\n(the two Newton passes found none; found by the multi-start search)")                                  \
  X(SwitchingTimes,                                                                                           \
    "\n切り替え・位置決め時間tt[]=(%7.4f %7.4f %7.4f %7.4f)[s]",                                                         \
    "\nSwitching and positioning times tt[]=(%7.4f %7.4f %7.4f %7.4f)[s]")                                    \
  X(GeneralMotion,                                                                                            \
    "\n切り替え時刻: 関節1 %s, 関節2 %s; 位置決め時間tf=%7.4f[s]",                                                       \
    "\nSwitching times: joint 1 %s, joint 2 %s; positioning time tf=%7.4f[s]")                               \
  X(FoundByDirect,                                                                                            \
    "\n（別の切り替え構造，直接法で求めた）",                                                                                 \
    "\n(another switching structure, found by the direct method)")                                           \
  X(FoundByDirectSame,                                                                                        \
    "\n（2回のニュートン法では解が得られず，直接法で求めた）",                                                                      \
    "\n(the two Newton passes found none; found by the direct method)")                                      \
  X(FasterThanPasses,                                                                                         \
    "\n（2回のニュートン法では tf = %.4f s，直接法でより速い運動を求めた）",                                                          \
    "\n(the two Newton passes gave tf = %.4f s; a faster motion was found by the direct method)")            \
  X(SingularArc,                                                                                              \
    "\n関節%d: %.3f s から %.3f s までトルクが制限の内側 (特異アーク)",                                                          \
    "\njoint %d: torque inside its limits from %.3f s to %.3f s (singular arc)")                             \
  X(PidPositioningTime,                                                                                       \
    "\nFB制御の位置決め時間 tfm=%7.4f[s]",                                                                             \
    "\nPositioning time of the PID control tfm=%7.4f[s]")                                                     \
  X(Done,                                                                                                     \
    "\n　　   　計算終了",                                                                                           \
    "\n         Computation finished")                                                                        \
  X(Saturated,                                                                                                \
    "\n\n位置決め時間tf=%6.3f[s]ではトルク飽和して追従できない",                                                                   \
    "\n\nWith the positioning time tf=%6.3f[s] the torques saturate and the arm cannot follow")               \
  X(ToWindow,                                                                                                 \
    "\n\n描画画面へ       ",                                                                                       \
    "\n\nTo the drawing window       ")                                                                       \
  X(NoDisplay,                                                                                                \
    "tocsim: X ディスプレイがありません。描画画面なしで対話だけ行うには --no-window を付けてください"                                             \
    "\n",                                                                                                     \
    "tocsim: no X display; use --no-window to run the console dialogue without the window"                    \
    "\n")                                                                                                     \
  X(Saved,                                                                                                    \
    "\n保存しました: %s",                                                                                           \
    "\nSaved: %s")                                                                                            \
  X(NotSaved,                                                                                                 \
    "\n保存できませんでした: %s",                                                                                       \
    "\nNot saved: %s")                                                                                        \
  X(InputEnded,                                                                                               \
    "\nコンソール入力が終わりました。終了します。"                                                                                 \
    "\n",                                                                                                     \
    "\nConsole input has ended. Exiting."                                                                     \
    "\n")                                                                                                     \
  X(WindowTitle,                                                                                              \
    "a,b:ロボット選択, u:減速, g,h:重力, k:始終点 変更，W,w:画面拡大縮小，0:初期へ，s:継続",                                               \
    "a,b:robot, u:reduction ratios, g,h:gravity, k:start/end point, W,w:zoom in/out, 0:to start, s:continue") \
  /* The command line: --help, and the one line of a bad command line. */                                     \
  X(Help,                                                                                                     \
    "使い方: tocsim [オプション]...\n"                                                                                \
    "2関節ロボットアームの最短時間制御(バンバン制御)とPID制御の比較シミュレーション\n"                                                            \
    "(円筒座標ロボット・SCARAロボット)。コンソールの対話と描画画面1つ。\n"                                                                 \
    "\n"                                                                                                      \
    "オプション:\n"                                                                                                \
    "  --help              この説明を表示して終了\n"                                                                     \
    "  --version           版数を表示して終了\n"                                                                       \
    "  --lang ja|en        コンソールの文・画面タイトル・この説明の言語 (既定 ja)\n"                                                  \
    "  --encoding auto|utf8|cp932\n"                                                                          \
    "                      コンソールの文字コード (既定 auto: ロケールの文字集合が\n"                                                \
    "                      UTF-8 なら UTF-8, それ以外は CP932;\n"                                                    \
    "                      --lang en では ASCII, ギリシャ文字は tau などと綴る)\n"                                          \
    "  --no-window         コンソールの対話の後，描画画面を開かずに終了\n"                                                          \
    "                      (X ディスプレイ不要)\n"                                                                    \
    "  --csv FILE          計算が成功するたびに，選択中のロボットの記録を\n"                                                         \
    "                      CSV で FILE に書く\n"                                                                  \
    "  --json FILE         計算するたびに (解が得られなくても)，その結果を\n"                                                       \
    "                      JSON の1行として FILE に書き足す\n"                                                          \
    "  --solver optimal|reference|extended\n"                                                                \
    "                      optimal (既定): 真に最短の運動 (どんな切り替え構造でも;\n"                                           \
    "                      ニュートン法の解が最適でなければ直接法)\n"                                                         \
    "                      reference: 2回のニュートン法のみ (真の解だけを採用)\n"                                               \
    "                      extended: 両方で解がなければ多始点探索も行う\n"                                                     \
    "  --view classic|lesson|sweep\n"                                                                         \
    "                      描画画面の最初の表示: classic (既定),\n"                                                    \
    "                      lesson (目盛り付きグラフ・速度・位相面) または\n"                                                        \
    "                      sweep (減速比と位置決め時間)\n"                                                        \
    "  --sweep FILE        対話の最後の計算の後，減速比を変えた位置決め時間を\n"                                                        \
    "                      CSV で FILE に書く\n"                                                        \
    "\n"                                                                                                      \
    "出題 (対話の質問に，入力したのと同じ答えを与える。\n"                                                                            \
    "与えない質問は通常どおり入力から尋ねる):\n"                                                                                 \
    "  --robot a|b         type= の答え: a 円筒座標ロボット, b SCARAロボット\n"                                              \
    "  --gravity g|h       sgnG= と重力の変更の答え: g 重力あり, h なし\n"                                                   \
    "                      (--robot と共に)\n"                                                                   \
    "  --ratios U1,U2      減速比 u1 u2 (--robot, --gravity と共に)\n"                                              \
    "  --points X0,Y0,XF,YF\n"                                                                                \
    "                      始点・終点 [m] (--robot, --gravity と共に)\n"                                              \
    "  --elbow 1|2         SCARAの肘: 1 下, 2 上 (--robot b, --points と共に)\n"                                     \
    "                      数はオプションに書いたとおりに入力される\n"                                                            \
    "\n"                                                                                                      \
    "描画画面のキー:\n"                                                                                              \
    "  a b                 円筒座標・SCARAロボットの選択 (コンソールで対話)\n"                                                    \
    "  u                   減速比の変更 (コンソールで対話)\n"                                                               \
    "  g h                 重力あり・なし\n"                                                                         \
    "  k                   始点・終点の変更 (コンソールで対話)\n"                                                             \
    "  e                   SCARAの肘の向きを切り替えて再計算\n"                                                             \
    "  z, 右クリック       画面で行った変更を元に戻す\n"                                                                       \
    "  左ドラッグ          始点・終点を動かして再計算\n"                                                                       \
    "  space               再生・一時停止\n"                                                                         \
    "  + -                 再生を速く・遅く\n"                                                                        \
    "  s, Right            1サンプル進む\n"                                                                         \
    "  Left                1サンプル戻る\n"                                                                         \
    "  0, Home             最初のサンプル\n"                                                                         \
    "  End                 最後のサンプル\n"                                                                         \
    "  w W                 縮小・拡大\n"                                                                           \
    "  v                   表示の切り替え (classic / lesson)\n"                                                      \
    "  f                   切替関数の表示 (lesson 表示で速度のグラフに代えて)\n"                                      \
    "  r                   減速比スイープの表示 (点をクリックでその減速比に)\n"                                                      \
    "  p                   画像を保存 (PNG)\n"                                                                     \
    "  x                   運動を保存 (CSV; sweep 表示ではスイープ)\n"                                                                     \
    "  ESC                 終了\n"                                                                              \
    "\n"                                                                                                      \
    "終了ステータス:\n"                                                                                              \
    "  0  正常終了: ESC, 画面を閉じた, 解なしの後に n, --no-window の実行終了,\n"                                                  \
    "     --help, --version\n"                                                                                \
    "  1  コンソール入力の終わり, X ディスプレイなし, 実行を終えるファイルの\n"                                                             \
    "     書き込み失敗\n"                                                                                           \
    "  2  コマンドラインの誤り\n",                                                                                      \
    "Usage: tocsim [OPTION]...\n"                                                                             \
    "Time-optimal (bang-bang) motion of a two-joint robot arm compared with PID\n"                            \
    "control, for a cylindrical-coordinate robot and a SCARA robot: a console\n"                              \
    "dialogue and one window.\n"                                                                              \
    "\n"                                                                                                      \
    "Options:\n"                                                                                              \
    "  --help              show this help and exit\n"                                                         \
    "  --version           show the version and exit\n"                                                       \
    "  --lang ja|en        language of the console texts, the window title and\n"                             \
    "                      this help (default ja)\n"                                                          \
    "  --encoding auto|utf8|cp932\n"                                                                          \
    "                      console encoding (default auto: UTF-8 when the\n"                                  \
    "                      locale's character set is UTF-8, otherwise CP932;\n"                               \
    "                      with --lang en, plain ASCII with Greek letters\n"                                  \
    "                      spelled out: tau1max, alpha1, Phi0, pi)\n"                                         \
    "  --no-window         run the console dialogue, then end before the window\n"                            \
    "                      opens (no X display needed)\n"                                                     \
    "  --csv FILE          after every successful computation, write the current\n"                           \
    "                      robot's records to FILE as CSV\n"                                                  \
    "  --json FILE         after every computation, found or not, add its result\n"                           \
    "                      to FILE as one line of JSON\n"                                                     \
    "  --solver optimal|reference|extended\n"                                                                \
    "                      optimal (default): the truly fastest motion, of any\n"                            \
    "                      switching structure (the direct method where the\n"                               \
    "                      Newton passes' motion is not optimal); reference: the\n"                          \
    "                      two Newton passes alone, accepting real solutions\n"                              \
    "                      only; extended: then a multi-start search when both\n"                            \
    "                      passes find none\n"                                                                \
    "  --view classic|lesson|sweep\n"                                                                         \
    "                      the window's first picture: classic (default),\n"                               \
    "                      lesson (graphs with scales, velocities, phase planes)\n"                           \
    "                      or sweep (positioning times over reduction ratios)\n"                           \
    "  --sweep FILE        after the dialogue's last computation, write the\n"                           \
    "                      positioning times over reduction ratios to FILE as CSV\n"                           \
    "\n"                                                                                                      \
    "Task options: they answer the dialogue's questions exactly as typing the\n"                              \
    "same answers would; the questions they leave are asked as usual:\n"                                      \
    "  --robot a|b         the answer to type=: a cylindrical-coordinate, b SCARA\n"                          \
    "  --gravity g|h       the answer to sgnG= and to the gravity question: g with\n"                         \
    "                      gravity, h without (with --robot)\n"                                               \
    "  --ratios U1,U2      reduction ratios u1 u2 (with --robot and --gravity)\n"                             \
    "  --points X0,Y0,XF,YF\n"                                                                                \
    "                      start and end point in m (with --robot and --gravity)\n"                           \
    "  --elbow 1|2         SCARA elbow: 1 down, 2 up (with --robot b and --points)\n"                         \
    "                      numbers are typed as written in the option\n"                                      \
    "\n"                                                                                                      \
    "Window keys:\n"                                                                                          \
    "  a b                 cylindrical-coordinate / SCARA robot (console dialogue)\n"                         \
    "  u                   reduction ratios (console dialogue)\n"                                             \
    "  g h                 with / without gravity\n"                                                          \
    "  k                   start and end point (console dialogue)\n"                                          \
    "  e                   the other SCARA elbow branch, recomputed\n"                                        \
    "  z, right button     undo the last change made in the window\n"                                         \
    "  left button drag    move the start or end point, recomputed\n"                                         \
    "  space               play / pause\n"                                                                    \
    "  + -                 faster / slower playback\n"                                                        \
    "  s, Right            one sample forward\n"                                                              \
    "  Left                one sample back\n"                                                                 \
    "  0, Home             first sample\n"                                                                    \
    "  End                 last sample\n"                                                                     \
    "  w W                 zoom out / in\n"                                                                   \
    "  v                   switch the picture (classic / lesson)\n"                                           \
    "  f                   switching functions in the lesson view (for velocities)\n"                         \
    "  r                   the gear-ratio sweep (a click on a point takes its ratio)\n"                                           \
    "  p                   save the picture (PNG)\n"                                                          \
    "  x                   save the motion (CSV; in the sweep view the sweep)\n"                                                           \
    "  ESC                 quit\n"                                                                            \
    "\n"                                                                                                      \
    "Exit status:\n"                                                                                          \
    "  0  normal end: ESC, window closed, 'n' after a failed solve, a --no-window\n"                          \
    "     run finished, --help, --version\n"                                                                  \
    "  1  console input ended, no X display, or a file that ends the run could\n"                             \
    "     not be written\n"                                                                                   \
    "  2  bad command line\n")                                                                                \
  X(OptionUnknown,                                                                                            \
    "tocsim: 不明なオプション '%s'。'tocsim --help' を参照してください"                                                         \
    "\n",                                                                                                     \
    "tocsim: unknown option '%s'; see 'tocsim --help'"                                                        \
    "\n")                                                                                                     \
  X(OptionNeedsArgument,                                                                                      \
    "tocsim: オプション '%s' には引数が必要です。'tocsim --help' を参照してください"                                                  \
    "\n",                                                                                                     \
    "tocsim: option '%s' needs an argument; see 'tocsim --help'"                                              \
    "\n")                                                                                                     \
  X(OptionTakesNoArgument,                                                                                    \
    "tocsim: オプション '%s' は引数をとりません。'tocsim --help' を参照してください"                                                  \
    "\n",                                                                                                     \
    "tocsim: option '%s' takes no argument; see 'tocsim --help'"                                              \
    "\n")                                                                                                     \
  X(OptionBadValue,                                                                                           \
    "tocsim: %s の値 '%s' は使えません (%s)。'tocsim --help' を参照してください"                                                \
    "\n",                                                                                                     \
    "tocsim: %s: bad value '%s' (%s); see 'tocsim --help'"                                                    \
    "\n")                                                                                                     \
  X(OptionStray,                                                                                              \
    "tocsim: 余分な引数 '%s'。'tocsim --help' を参照してください"                                                            \
    "\n",                                                                                                     \
    "tocsim: unexpected argument '%s'; see 'tocsim --help'"                                                   \
    "\n")                                                                                                     \
  /* The condition report. */                                                                                 \
  X(ReportHeader,                                                                                             \
    "\n\n/*************** 設定した最短時間制御の条件 ************************/",                                           \
    "\n\n/*************** Conditions set for time-optimal control ***************/")                          \
  X(ReportRule,                                                                                               \
    "\n/***********************************************************************/"                             \
    "\n",                                                                                                     \
    "\n/***********************************************************************/"                             \
    "\n")                                                                                                     \
  X(ReportGravityOn,                                                                                          \
    "\n重力考慮",                                                                                                 \
    "\nWith gravity")                                                                                         \
  X(ReportGravityOff,                                                                                         \
    "\n重力なし",                                                                                                 \
    "\nWithout gravity")                                                                                      \
  X(ReportTorques,                                                                                            \
    "\n最大トルク     τ1max=%6.3f[Nm]       τ2max=%6.3f[N])",                                                      \
    "\nTorque limits  τ1max=%6.3f[Nm]       τ2max=%6.3f[N])")                                                 \
  X(ReportPidTime,                                                                                            \
    "\nFB制御の位置決め時間：上記の長い方を選択，他をそれに合わせる tfm=%7.4f[s]",                                                         \
    "\nPID positioning time: the longer of the two above, the other joint matched to it tfm=%7.4f[s]")        \
  X(CylName,                                                                                                  \
    "\n円筒座標ロボット",                                                                                             \
    "\nCylindrical-coordinate robot")                                                                         \
  X(CylWorkMass,                                                                                              \
    "\nアーム先端集中質量（ワーク質量）mw=%5.1f[kg]",                                                                         \
    "\nPoint mass at the arm tip (work mass) mw=%5.1f[kg]")                                                   \
  X(CylArmInertia,                                                                                            \
    "\nアーム慣性1       IJ1=%6.3f[kg･m^2]    2 IJ2=%6.3f[kg]",                                                    \
    "\nArm inertia 1                IJ1=%6.3f[kg m^2]    2 IJ2=%6.3f[kg]")                                    \
  X(CylMotorInertia,                                                                                          \
    "\nＪ換算モータ慣性1 IM1=%6.3f[kg･m^2]    2 mM2=%6.3f[kg]",                                                       \
    "\nMotor inertia (joint side) 1 IM1=%6.3f[kg m^2]    2 mM2=%6.3f[kg]")                                    \
  X(CylRatios,                                                                                                \
    "\n減速比（変更可)   u1 =%6.1f[rad/rad]     u2 =%6.1f[rad/m]",                                                   \
    "\nReduction ratio (changeable) u1 =%6.1f[rad/rad]     u2 =%6.1f[rad/m]")                                 \
  X(CylTorqueRuleOn,                                                                                          \
    "\n最大慣性のときに(π/2，1)を2[s]で位置決めするトルク・力に設定",                                                                  \
    "\nTorque and force set to position (π/2, 1) in 2[s] at the largest inertia")                             \
  X(CylTorqueRuleOff,                                                                                         \
    "\nImp.Matchのときに(π/2，1)を2[s]で位置決めするトルク・力に設定",                                                             \
    "\nTorque and force set to position (π/2, 1) in 2[s] at the inertia match (Imp.Match)")                   \
  X(CylPoints,                                                                                                \
    "\nPTP始点 (x0,y0)=(%7.4f      %7.4f)[m] 終点(xf,yf)=(%7.4f      %7.4f)[m]",                                  \
    "\nPTP start (x0,y0)=(%7.4f      %7.4f)[m] end (xf,yf)=(%7.4f      %7.4f)[m]")                            \
  X(CylJointValues,                                                                                           \
    "\n関節変位   Φ0 =(%7.4f[rad] %7.4f[m])        Φf =(%7.4f[rad] %7.4f[m])",                                    \
    "\nJoint displacement   Φ0 =(%7.4f[rad] %7.4f[m])        Φf =(%7.4f[rad] %7.4f[m])")                      \
  X(CylRiseAccelerations,                                                                                     \
    "\n立ち上がり関節加速度 α1=%6.3f[rad/s^2]     a2=%6.3f[m/s^2]",                                                     \
    "\nInitial joint acceleration α1=%6.3f[rad/s^2]     a2=%6.3f[m/s^2]")                                     \
  X(CylTerminalTimes,                                                                                         \
    "\n終端時間             tf1=%6.3f[s]          tf2=%6.3f[s])",                                                 \
    "\nTerminal times             tf1=%6.3f[s]          tf2=%6.3f[s])")                                       \
  X(CylCentrifugalTime,                                                                                       \
    "\n遠心加速度から決まる tf3=%6.3f[s]",                                                                              \
    "\nCentrifugal limit          tf3=%6.3f[s]")                                                              \
  X(ScaraName,                                                                                                \
    "\nSCARAロボット",                                                                                            \
    "\nSCARA robot")                                                                                          \
  X(ScaraMasses,                                                                                              \
    "\nアーム先端集中質量 m1=%6.1f[kg]        m2=mw=%6.1f[kg]",                                                        \
    "\nPoint masses at the link tips m1=%6.1f[kg]        m2=mw=%6.1f[kg]")                                    \
  X(ScaraArmInertia,                                                                                          \
    "\nJ回りアーム慣性1  IJ1=%6.3f[kg･m^2]    2 IJ2=%6.3f[kg･m^2]",                                                  \
    "\nArm inertia about joint 1    IJ1=%6.3f[kg m^2]    2 IJ2=%6.3f[kg m^2]")                                \
  X(ScaraMotorInertia,                                                                                        \
    "\nＪ換算モータ慣性1 IM1=%6.3f[kg･m^2]    2 IM2=%6.3f[kg･m^2]",                                                   \
    "\nMotor inertia (joint side) 1 IM1=%6.3f[kg m^2]    2 IM2=%6.3f[kg m^2]")                                \
  X(ScaraRatios,                                                                                              \
    "\n減速比(変更可)    u1 =%6.1f[rad/rad]     u2 =%6.1f[rad/rad]",                                                \
    "\nReduction ratio (changeable) u1 =%6.1f[rad/rad]     u2 =%6.1f[rad/rad]")                               \
  X(ScaraTorqueRuleOn,                                                                                        \
    "\nImp.Matchのときに90°を2[s]で位置決めする加速度を出せるトルクに設定",                                                            \
    "\nTorque set to give the acceleration that positions 90° in 2[s] at the inertia match (Imp.Match)")      \
  X(ScaraTorqueRuleOff,                                                                                       \
    "\n最大慣性のときに上記加速度を出せるトルクに設定",                                                                              \
    "\nTorque set to give the above acceleration at the largest inertia")                                     \
  X(ScaraTorquesOff,                                                                                          \
    "\n最大トルク     τ1max=%6.3f[Nm]       τ2max=%6.3f[Nm]",                                                      \
    "\nTorque limits  τ1max=%6.3f[Nm]       τ2max=%6.3f[Nm]")                                                 \
  X(ScaraPoints,                                                                                              \
    "\nPTP始点 (x0,y0)=(%7.4f %7.4f)[m] 終点(xf,yf)=(%7.4f %7.4f)[m]",                                            \
    "\nPTP start (x0,y0)=(%7.4f %7.4f)[m] end (xf,yf)=(%7.4f %7.4f)[m]")                                      \
  X(ScaraJointValues,                                                                                         \
    "\n関節変位    Φ0=(%7.4f %7.4f)[rad]       Φf=(%7.4f %7.4f)[rad]",                                            \
    "\nJoint displacement    Φ0=(%7.4f %7.4f)[rad]       Φf=(%7.4f %7.4f)[rad]")                              \
  X(ScaraRiseAccelerations,                                                                                   \
    "\n立ち上がり関節加速度 α1=%6.3f[rad/s^2]    α2=%6.3f[rad/s^2]",                                                    \
    "\nInitial joint acceleration α1=%6.3f[rad/s^2]    α2=%6.3f[rad/s^2]")                                    \
  X(ScaraTerminalTimes,                                                                                       \
    "\n終端時間              tf1=%6.3f[s]          tf2=%6.3f[s])",                                                \
    "\nTerminal times              tf1=%6.3f[s]          tf2=%6.3f[s])")

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

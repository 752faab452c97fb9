// What the dialogue tests share: the console texts they look for, counting and
// matching helpers, and running a dialogue to its end on a scripted console.
#pragma once

#include <cstddef>
#include <string>
#include <utility>

#include "app/dialogue_run.h"

namespace dialogue_texts {

// Runs a dialogue to its end (a scripted console has all its input at once).
inline Progress run_to_end(Task<DialogueEnd> task, Ui& ui) {
  return DialogueRun(std::move(task)).finish(ui);
}

// The status the program ends with after the dialogue, or -1 when the
// dialogue ended normally (the window would open).
inline int status_of(Progress p) { return p == Progress::Done ? -1 : exit_status(p); }

// A part of the dialogue run as a whole one.
inline Task<DialogueEnd> as_dialogue(Task<> part) {
  co_await part;
  co_return DialogueEnd::Done;
}

inline std::size_t count(const std::string& out, const std::string& text) {
  std::size_t n = 0;
  for (std::size_t at = out.find(text); at != std::string::npos; at = out.find(text, at + 1)) ++n;
  return n;
}

inline bool ends_with(const std::string& out, const std::string& tail) {
  return out.size() >= tail.size() && out.compare(out.size() - tail.size(), tail.size(), tail) == 0;
}

inline const std::string kReport = "\n\n/*************** 設定した最短時間制御の条件 ************************/";
inline const std::string kHeadingA = "\n\n(a) 円筒座標ロボットの最短時間制御とFB制御の比較";
inline const std::string kHeadingB = "\n\n(b) SCARAロボットの最短時間制御とFB制御の比較";
inline const std::string kGate = "\n   条件のどれか変更する？　yes : y   no : n    ";
inline const std::string kRatioGate =
    "\n(2) 減速機変更？：y  減速機は変更しない：z  以下全て変更しない : n   ";
inline const std::string kGravityQ = "\n変更　重力考慮する？　yes:g   no:h    ";
inline const std::string kPointsGate = "\n    変更する？　yes:y   no:n   ";
inline const std::string kPointsInput = "\n      入力　x0 y0 xf yf=";
inline const std::string kElbowQ = "\n肘下折れ曲がり：1　上折れ曲がり：2  入力  ";
inline const std::string kSolved = "\n最短時間制御の切り替え時間が求められた";
inline const std::string kNoSolution = "\n切り替え時刻の解なし  別の条件で計算する？  yes:y   no:n  ";
inline const std::string kRobotQ = "\n入力　円筒座標ロボット : a    SCARAロボット : b   ";
inline const std::string kToWindow = "\n\n描画画面へ       ";
inline const std::string kUnreachable = "\n!!! 逆運動学の解なし．始めからやり直し．";

}  // namespace dialogue_texts

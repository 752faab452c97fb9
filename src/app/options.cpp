// The command line, read with getopt_long.
#include "app/options.h"

#include <getopt.h>

#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <vector>

#ifndef TOCSIM_VERSION
#error "TOCSIM_VERSION must be defined by the build"
#endif

namespace app {
namespace {

// Option codes above every character, so that getopt's optopt tells a long
// option (code >= kFirstLong) from a short one (a character) or none (0).
enum OptionCode : int {
  kFirstLong = 256,
  kHelp = kFirstLong,
  kVersion,
  kLang,
  kEncoding,
  kNoWindow,
  kCsv,
  kJson,
  kSolver,
  kView,
  kRobot,
  kGravity,
  kRatios,
  kPoints,
  kElbow,
  kSweep,
};

const struct option kLongOptions[] = {
    {"help", no_argument, nullptr, kHelp},
    {"version", no_argument, nullptr, kVersion},
    {"lang", required_argument, nullptr, kLang},
    {"encoding", required_argument, nullptr, kEncoding},
    {"no-window", no_argument, nullptr, kNoWindow},
    {"csv", required_argument, nullptr, kCsv},
    {"json", required_argument, nullptr, kJson},
    {"solver", required_argument, nullptr, kSolver},
    {"view", required_argument, nullptr, kView},
    {"robot", required_argument, nullptr, kRobot},
    {"gravity", required_argument, nullptr, kGravity},
    {"ratios", required_argument, nullptr, kRatios},
    {"points", required_argument, nullptr, kPoints},
    {"elbow", required_argument, nullptr, kElbow},
    {"sweep", required_argument, nullptr, kSweep},
    {nullptr, 0, nullptr, 0},
};

std::string option_name(int code) {
  for (const struct option* o = kLongOptions; o->name != nullptr; ++o)
    if (o->val == code) return std::string("--") + o->name;
  return "";
}

enum class ErrorKind { None, Unknown, MissingArgument, UnwantedArgument, BadValue, Stray };

struct Error {
  ErrorKind kind = ErrorKind::None;
  std::string subject;  // the option or argument as named to the user
  std::string value;    // the bad value (BadValue only)
  std::string allowed;  // what the option takes (BadValue only)
};

std::string format(Text id, Language lang, const std::string& a, const std::string& b = "",
                   const std::string& c = "") {
  char line[1024];
  std::snprintf(line, sizeof line, text(id, lang), a.c_str(), b.c_str(), c.c_str());
  return line;
}

std::string error_line(const Error& e, Language lang) {
  switch (e.kind) {
    case ErrorKind::Unknown:
      return format(Text::OptionUnknown, lang, e.subject);
    case ErrorKind::MissingArgument:
      return format(Text::OptionNeedsArgument, lang, e.subject);
    case ErrorKind::UnwantedArgument:
      return format(Text::OptionTakesNoArgument, lang, e.subject);
    case ErrorKind::BadValue:
      return format(Text::OptionBadValue, lang, e.subject, e.value, e.allowed);
    case ErrorKind::Stray:
      return format(Text::OptionStray, lang, e.subject);
    case ErrorKind::None:
      break;
  }
  return "";
}

// Matches value against the names; sets *index and returns true when found.
bool pick(std::string_view value, std::initializer_list<std::string_view> names, int* index) {
  int i = 0;
  for (std::string_view n : names) {
    if (value == n) {
      *index = i;
      return true;
    }
    ++i;
  }
  return false;
}

TaskItem task_item(int code) {
  switch (code) {
    case kGravity: return TaskItem::Gravity;
    case kRatios: return TaskItem::Ratios;
    case kPoints: return TaskItem::Points;
    case kElbow: return TaskItem::Elbow;
  }
  return TaskItem::Robot;
}

// Applies one option with its argument; returns a BadValue error or none.
Error apply(Options& o, int code, const char* arg) {
  const std::string_view v = arg != nullptr ? arg : "";
  auto reject = [&](const char* allowed) {
    return Error{ErrorKind::BadValue, option_name(code), std::string(v), allowed};
  };
  int i = 0;
  switch (code) {
    case kLang:
      if (!pick(v, {"ja", "en"}, &i)) return reject("ja|en");
      o.lang = i == 0 ? Language::Ja : Language::En;
      break;
    case kEncoding:
      if (!pick(v, {"auto", "utf8", "cp932"}, &i)) return reject("auto|utf8|cp932");
      o.encoding = i == 0   ? EncodingChoice::Auto
                   : i == 1 ? EncodingChoice::Utf8
                            : EncodingChoice::Cp932;
      break;
    case kSolver:
      if (!pick(v, {"optimal", "reference", "extended"}, &i))
        return reject("optimal|reference|extended");
      o.solver = i == 0   ? SolverChoice::Optimal
                 : i == 1 ? SolverChoice::Reference
                          : SolverChoice::Extended;
      break;
    case kView:
      if (!pick(v, {"classic", "lesson", "sweep"}, &i)) return reject("classic|lesson|sweep");
      o.view = i == 0 ? ViewMode::Classic : i == 1 ? ViewMode::Lesson : ViewMode::Sweep;
      break;
    case kCsv:
      if (v.empty()) return reject("FILE");
      o.csv_path = std::string(v);
      break;
    case kJson:
      if (v.empty()) return reject("FILE");
      o.json_path = std::string(v);
      break;
    case kSweep:
      if (v.empty()) return reject("FILE");
      o.sweep_path = std::string(v);
      break;
    case kNoWindow:
      o.no_window = true;
      break;
    case kRobot:
    case kGravity:
    case kRatios:
    case kPoints:
    case kElbow: {
      const TaskItem item = task_item(code);
      if (!set_task_item(o.task, item, v)) return reject(task_item_values(item));
      break;
    }
  }
  return {};
}

// A task option given without those its questions come after: its value
// cannot be used, and the line shows it with what it needs.
Error task_order_error(const TaskOptions& task) {
  const std::optional<TaskItem> item = task_item_out_of_order(task);
  if (!item) return {};
  return Error{ErrorKind::BadValue, std::string("--") + task_item_name(*item),
               task_item_value(task, *item), task_item_usage(*item)};
}

}  // namespace

std::string version_line() { return std::string("tocsim ") + TOCSIM_VERSION + "\n"; }

ParseResult parse_options(int argc, const char* const* argv) {
  // getopt_long reorders the vector it is given: it works on a copy.
  std::vector<char*> args;
  for (int i = 0; i < argc; ++i) args.push_back(const_cast<char*>(argv[i]));
  args.push_back(nullptr);

  ParseResult result;
  Error first;
  ParseAction requested = ParseAction::Run;
  auto note = [&first](Error e) {
    if (first.kind == ErrorKind::None) first = std::move(e);
  };

  // "-": non-options come back in place as code 1; ":": no messages from
  // getopt itself, and a missing argument comes back as ':'.
  optind = 0;  // a fresh scan, also when called more than once
  opterr = 0;
  int code;
  while ((code = getopt_long(argc, args.data(), "-:", kLongOptions, nullptr)) != -1) {
    const char* word = args[optind - 1];
    switch (code) {
      case 1:
        note({ErrorKind::Stray, optarg, "", ""});
        break;
      case ':':
        note({ErrorKind::MissingArgument, option_name(optopt), "", ""});
        break;
      case '?':
        if (optopt >= kFirstLong) note({ErrorKind::UnwantedArgument, option_name(optopt), "", ""});
        else if (optopt != 0) note({ErrorKind::Unknown, std::string("-") + static_cast<char>(optopt), "", ""});
        else note({ErrorKind::Unknown, std::string(word, std::strcspn(word, "=")), "", ""});
        break;
      case kHelp:
        if (requested == ParseAction::Run) requested = ParseAction::ShowHelp;
        break;
      case kVersion:
        if (requested == ParseAction::Run) requested = ParseAction::ShowVersion;
        break;
      default:
        note(apply(result.options, code, optarg));
        break;
    }
  }
  // Whatever getopt left after "--" is not an option either.
  if (optind < argc) note({ErrorKind::Stray, args[optind], "", ""});
  optind = 0;
  note(task_order_error(result.options.task));

  if (first.kind != ErrorKind::None) {
    result.action = ParseAction::Fail;
    result.text = error_line(first, result.options.lang);
    result.exit_status = kExitUsage;
  } else if (requested == ParseAction::ShowHelp) {
    result.action = requested;
    result.text = help_text(result.options.lang);
  } else if (requested == ParseAction::ShowVersion) {
    result.action = requested;
    result.text = version_line();
  }
  return result;
}

Encoding console_encoding(const Options& options) {
  switch (options.encoding) {
    case EncodingChoice::Utf8: return Encoding::Utf8;
    case EncodingChoice::Cp932: return Encoding::Cp932;
    case EncodingChoice::Auto: break;
  }
  // Japanese needs the terminal's own character set; English on a terminal
  // that is not UTF-8 reads best in plain ASCII, Greek letters spelled out.
  const Encoding detected = detect_console_encoding();
  if (options.lang == Language::En && detected != Encoding::Utf8) return Encoding::Ascii;
  return detected;
}

}  // namespace app

// Files the program writes: written whole through a temporary file in the same
// folder, flushed to disk, then put in place. A new file never replaces one
// that exists; only write_file_replacing, for a name the user gave, does.
#pragma once

#include <string>
#include <string_view>

struct WriteResult {
  bool ok = false;
  std::string path;   // the file written, when ok
  std::string error;  // what went wrong, ready to print, when not ok
};

// `name` in folder `dir`; an empty dir is the current folder.
std::string join_path(const std::string& dir, const std::string& name);

// "stem.ext" for n = 0, otherwise "stem-n.ext".
std::string numbered_name(const std::string& stem, const std::string& ext, int n);

// Highest n numbered_name is tried with before a write gives up.
constexpr int kMaxNameNumber = 9999;

// The first of dir/stem.ext, dir/stem-1.ext, dir/stem-2.ext, ... that names
// nothing (no file, folder or link, not even a dangling one); "" if all are
// taken or the folder cannot be looked into.
std::string unused_name(const std::string& dir, const std::string& stem, const std::string& ext);

// Writes `bytes` to the first free name of unused_name's sequence. The name is
// taken with link(2), which fails rather than replace a file that appeared in
// the meantime; the next number is tried then. Nothing is left behind on failure.
WriteResult write_new_file(const std::string& dir, const std::string& stem, const std::string& ext,
                           std::string_view bytes);

// Writes `bytes` to `path` unless something of that name exists (then it
// fails and the existing file stays as it is).
WriteResult write_file_exclusive(const std::string& path, std::string_view bytes);

// Writes `bytes` to `path`, replacing a file of that name in one step (rename);
// the old file stays as it was if anything fails. Keeps the old file's permissions.
WriteResult write_file_replacing(const std::string& path, std::string_view bytes);

// "tocsim-a-0060": robot key ('b' SCARA, anything else 'a') and sample, 4 digits.
std::string picture_stem(char robot, int sample);

// "tocsim-a-h": robot key and gravity key ('g' gravity, anything else 'h').
std::string motion_stem(char robot, char gravity);

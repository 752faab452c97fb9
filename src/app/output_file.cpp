#include "app/output_file.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {

std::string reason(int err) { return std::system_category().message(err); }

WriteResult failed(const std::string& path, int err) {
  return WriteResult{false, "", "cannot write " + path + ": " + reason(err)};
}

enum class Name { Free, Taken, Unknown };

// Unknown: the folder cannot be looked into (missing, not a folder, no access).
Name look_up(const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) == 0) return Name::Taken;
  return errno == ENOENT ? Name::Free : Name::Unknown;
}

// Folder part of a path, "" for a bare name.
std::string folder_of(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return "";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string base_of(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool write_all(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// The folder's entry for a new name reaches the disk too; a failure here
// leaves the complete file in place, so it is not reported.
void sync_folder(const std::string& dir) {
  const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// A temporary file in `dir` holding `bytes`, flushed to disk and closed.
// Returns its path, or "" with errno set; nothing is left behind then.
std::string write_temporary(const std::string& dir, const std::string& name, std::string_view bytes,
                            const struct stat* mode_of) {
  // The process id keeps other processes' temporaries apart; O_EXCL skips a
  // name still taken (a temporary left behind by a crash, another write).
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string tmp = join_path(dir, "." + name + "." + std::to_string(::getpid()) + "-" +
                                               std::to_string(attempt) + ".tmp");
    const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return "";
    }
    bool ok = true;
    if (mode_of != nullptr) ok = ::fchmod(fd, mode_of->st_mode & 07777) == 0;
    ok = ok && write_all(fd, bytes) && ::fsync(fd) == 0;
    int err = errno;
    if (::close(fd) != 0 && ok) {
      ok = false;
      err = errno;
    }
    if (ok) return tmp;
    ::unlink(tmp.c_str());
    errno = err;
    return "";
  }
  errno = EEXIST;
  return "";
}

enum class Placed { Done, Taken, Failed };

// Gives the temporary file the name `target` unless that name exists.
// Done: `tmp` is gone or a second name of target, which the caller removes.
Placed place_without_replacing(const std::string& tmp, const std::string& target) {
  if (::link(tmp.c_str(), target.c_str()) == 0) return Placed::Done;
  if (errno == EEXIST) return Placed::Taken;
  if (errno != EPERM && errno != EOPNOTSUPP && errno != ENOSYS && errno != EMLINK) return Placed::Failed;
  // Folders without hard links: a rename that also refuses to replace.
#ifdef RENAME_NOREPLACE
  if (::renameat2(AT_FDCWD, tmp.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
    return Placed::Done;
  return errno == EEXIST ? Placed::Taken : Placed::Failed;
#else
  // A C library without renameat2 (the web page's): its file system lives in
  // the page's memory and no other process writes there, so a look before
  // the rename cannot be overtaken.
  if (look_up(target) != Name::Free) {
    errno = EEXIST;
    return Placed::Taken;
  }
  return ::rename(tmp.c_str(), target.c_str()) == 0 ? Placed::Done : Placed::Failed;
#endif
}

}  // namespace

std::string join_path(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  if (dir.back() == '/') return dir + name;
  return dir + "/" + name;
}

std::string numbered_name(const std::string& stem, const std::string& ext, int n) {
  if (n == 0) return stem + "." + ext;
  return stem + "-" + std::to_string(n) + "." + ext;
}

std::string unused_name(const std::string& dir, const std::string& stem, const std::string& ext) {
  for (int n = 0; n <= kMaxNameNumber; ++n) {
    const std::string path = join_path(dir, numbered_name(stem, ext, n));
    switch (look_up(path)) {
      case Name::Free:
        return path;
      case Name::Taken:
        continue;
      case Name::Unknown:
        return "";
    }
  }
  return "";
}

WriteResult write_new_file(const std::string& dir, const std::string& stem, const std::string& ext,
                           std::string_view bytes) {
  const std::string first = join_path(dir, numbered_name(stem, ext, 0));
  const std::string tmp = write_temporary(dir, numbered_name(stem, ext, 0), bytes, nullptr);
  if (tmp.empty()) {
    // Say the name the file would have had: the first one not taken.
    const int err = errno;
    const std::string next = unused_name(dir, stem, ext);
    return failed(next.empty() ? first : next, err);
  }
  for (int n = 0; n <= kMaxNameNumber; ++n) {
    const std::string target = join_path(dir, numbered_name(stem, ext, n));
    switch (place_without_replacing(tmp, target)) {
      case Placed::Taken:
        continue;
      case Placed::Failed: {
        const int err = errno;
        ::unlink(tmp.c_str());
        return failed(target, err);
      }
      case Placed::Done:
        ::unlink(tmp.c_str());  // the second name; after a rename there is none
        sync_folder(dir);
        return WriteResult{true, target, ""};
    }
  }
  ::unlink(tmp.c_str());
  return WriteResult{false, "",
                     "cannot write " + first + ": every name up to " +
                         numbered_name(stem, ext, kMaxNameNumber) + " is taken"};
}

WriteResult write_file_exclusive(const std::string& path, std::string_view bytes) {
  if (path.empty() || path.back() == '/') return failed(path, EISDIR);
  const std::string dir = folder_of(path);
  const std::string tmp = write_temporary(dir, base_of(path), bytes, nullptr);
  if (tmp.empty()) return failed(path, errno);
  const Placed placed = place_without_replacing(tmp, path);
  const int err = placed == Placed::Taken ? EEXIST : errno;
  ::unlink(tmp.c_str());  // the second name, or the temporary left after a failure
  if (placed != Placed::Done) return failed(path, err);
  sync_folder(dir);
  return WriteResult{true, path, ""};
}

WriteResult write_file_replacing(const std::string& path, std::string_view bytes) {
  if (path.empty() || path.back() == '/') return failed(path, EISDIR);
  const std::string dir = folder_of(path);
  struct stat old;
  const bool had_file = ::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode);
  const std::string tmp = write_temporary(dir, base_of(path), bytes, had_file ? &old : nullptr);
  if (tmp.empty()) return failed(path, errno);
  if (::rename(tmp.c_str(), path.c_str()) != 0) {
    const int err = errno;
    ::unlink(tmp.c_str());
    return failed(path, err);
  }
  sync_folder(dir);
  return WriteResult{true, path, ""};
}

std::string picture_stem(char robot, int sample) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%04d", sample);
  return std::string("tocsim-") + (robot == 'b' ? 'b' : 'a') + "-" + digits;
}

std::string motion_stem(char robot, char gravity) {
  return std::string("tocsim-") + (robot == 'b' ? 'b' : 'a') + "-" + (gravity == 'g' ? 'g' : 'h');
}

// Output files: names, numbering instead of overwriting, whole-or-nothing
// writes, error texts, no temporary files left behind.
#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/output_file.h"
#include "app/temp_folder.h"

namespace {

using testfs::put_file;
using testfs::read_file;
using testfs::TempFolder;
using Names = std::set<std::string>;

// Runs `write` in a child process whose files may grow to 1 KiB at most, so a
// larger write fails part way. The child's exit code: 0 when the write failed
// with "File too large", 1 when it succeeded, 2 for another failure.
template <class Write>
int with_small_file_limit(Write write) {
  const pid_t pid = fork();
  if (pid == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit lim{1024, 1024};
    setrlimit(RLIMIT_FSIZE, &lim);
    const WriteResult r = write();
    _exit(r.ok ? 1 : (r.error.find("File too large") != std::string::npos ? 0 : 2));
  }
  int status = -1;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(OutputNames, Stems) {
  EXPECT_EQ(picture_stem('a', 60), "tocsim-a-0060");
  EXPECT_EQ(picture_stem('b', 0), "tocsim-b-0000");
  EXPECT_EQ(picture_stem('b', 499), "tocsim-b-0499");
  EXPECT_EQ(picture_stem('/', 7), "tocsim-a-0007");
  EXPECT_EQ(motion_stem('a', 'h'), "tocsim-a-h");
  EXPECT_EQ(motion_stem('b', 'g'), "tocsim-b-g");
  EXPECT_EQ(motion_stem('z', '/'), "tocsim-a-h");
}

TEST(OutputNames, NumberingAndJoining) {
  EXPECT_EQ(numbered_name("s", "csv", 0), "s.csv");
  EXPECT_EQ(numbered_name("s", "csv", 1), "s-1.csv");
  EXPECT_EQ(numbered_name("s", "png", 12), "s-12.png");
  EXPECT_EQ(join_path("", "a.csv"), "a.csv");
  EXPECT_EQ(join_path("out", "a.csv"), "out/a.csv");
  EXPECT_EQ(join_path("out/", "a.csv"), "out/a.csv");
}

TEST(UnusedName, FirstFreeOfTheSequence) {
  TempFolder d;
  EXPECT_EQ(unused_name(d.path(), "s", "csv"), d / "s.csv");
  put_file(d / "s.csv", "0");
  EXPECT_EQ(unused_name(d.path(), "s", "csv"), d / "s-1.csv");
  put_file(d / "s-1.csv", "1");
  put_file(d / "s-2.csv", "2");
  EXPECT_EQ(unused_name(d.path(), "s", "csv"), d / "s-3.csv");
  std::filesystem::remove(d / "s-1.csv");
  EXPECT_EQ(unused_name(d.path(), "s", "csv"), d / "s-1.csv");
  // Other extensions do not count.
  EXPECT_EQ(unused_name(d.path(), "s", "png"), d / "s.png");
}

TEST(UnusedName, DanglingLinksAndFoldersAreTaken) {
  TempFolder d;
  ASSERT_EQ(symlink((d / "nowhere").c_str(), (d / "s.png").c_str()), 0);
  ASSERT_EQ(mkdir((d / "s-1.png").c_str(), 0755), 0);
  EXPECT_EQ(unused_name(d.path(), "s", "png"), d / "s-2.png");
}

TEST(UnusedName, FolderThatCannotBeLookedInto) {
  TempFolder d;
  put_file(d / "plain", "x");
  EXPECT_EQ(unused_name(d / "plain", "s", "csv"), "");
}

TEST(WriteNewFile, WritesTheBytesUnderTheFirstName) {
  TempFolder d;
  const std::string bytes = std::string("a,b\n1,2\n") + '\0' + "\xff";
  const WriteResult r = write_new_file(d.path(), "s", "csv", bytes);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.path, d / "s.csv");
  EXPECT_TRUE(r.error.empty());
  EXPECT_EQ(read_file(r.path), bytes);
  EXPECT_EQ(d.entries(), Names({"s.csv"}));
}

TEST(WriteNewFile, NeverOverwritesAndNumbersInstead) {
  TempFolder d;
  put_file(d / "s.csv", "first user file\n");
  put_file(d / "s-1.csv", "second user file\n");
  const WriteResult r = write_new_file(d.path(), "s", "csv", "new\n");
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.path, d / "s-2.csv");
  EXPECT_EQ(read_file(d / "s.csv"), "first user file\n");
  EXPECT_EQ(read_file(d / "s-1.csv"), "second user file\n");
  EXPECT_EQ(read_file(r.path), "new\n");
  const WriteResult again = write_new_file(d.path(), "s", "csv", "newer\n");
  ASSERT_TRUE(again.ok) << again.error;
  EXPECT_EQ(again.path, d / "s-3.csv");
  EXPECT_EQ(read_file(d / "s-2.csv"), "new\n");
  EXPECT_EQ(d.entries(), Names({"s.csv", "s-1.csv", "s-2.csv", "s-3.csv"}));
}

TEST(WriteNewFile, DoesNotWriteThroughADanglingLink) {
  TempFolder d;
  ASSERT_EQ(symlink((d / "victim").c_str(), (d / "s.png").c_str()), 0);
  const WriteResult r = write_new_file(d.path(), "s", "png", "picture");
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.path, d / "s-1.png");
  EXPECT_FALSE(std::filesystem::exists(d / "victim"));
  EXPECT_EQ(d.entries(), Names({"s.png", "s-1.png"}));
}

TEST(WriteNewFile, EmptyContents) {
  TempFolder d;
  const WriteResult r = write_new_file(d.path(), "s", "csv", "");
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(std::filesystem::file_size(r.path), 0u);
}

TEST(WriteNewFile, PermissionsFollowTheUmask) {
  TempFolder d;
  const mode_t old = umask(022);
  const WriteResult r = write_new_file(d.path(), "s", "csv", "x");
  umask(old);
  ASSERT_TRUE(r.ok) << r.error;
  struct stat st;
  ASSERT_EQ(stat(r.path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);
}

TEST(WriteNewFile, MissingFolderIsAnError) {
  TempFolder d;
  const WriteResult r = write_new_file(d / "missing", "s", "csv", "x");
  EXPECT_FALSE(r.ok);
  EXPECT_TRUE(r.path.empty());
  EXPECT_EQ(r.error, "cannot write " + (d / "missing/s.csv") + ": No such file or directory");
  EXPECT_TRUE(d.entries().empty());
}

TEST(WriteNewFile, FolderThatIsAFileIsAnError) {
  TempFolder d;
  put_file(d / "plain", "keep me");
  const WriteResult r = write_new_file(d / "plain", "s", "csv", "x");
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.error, "cannot write " + (d / "plain/s.csv") + ": Not a directory");
  EXPECT_EQ(read_file(d / "plain"), "keep me");
  EXPECT_EQ(d.entries(), Names({"plain"}));
}

TEST(WriteNewFile, FailedWriteLeavesNothingBehind) {
  TempFolder d;
  put_file(d / "s.csv", "user");
  const std::string big(8192, 'x');
  EXPECT_EQ(with_small_file_limit([&] { return write_new_file(d.path(), "s", "csv", big); }), 0);
  EXPECT_EQ(d.entries(), Names({"s.csv"}));
  EXPECT_EQ(read_file(d / "s.csv"), "user");
  // The same write within the limit succeeds, so the limit is what failed it.
  EXPECT_EQ(with_small_file_limit([&] { return write_new_file(d.path(), "s", "csv", "small"); }), 1);
}

// The error names the file the write was for: the next free number, not the
// name that was already taken.
TEST(WriteNewFile, FailedWriteNamesTheNumberedFile) {
  TempFolder d;
  put_file(d / "s.csv", "user");
  put_file(d / "s-1.csv", "user");
  const std::string big(8192, 'x');
  const pid_t pid = fork();
  if (pid == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit lim{1024, 1024};
    setrlimit(RLIMIT_FSIZE, &lim);
    const WriteResult r = write_new_file(d.path(), "s", "csv", big);
    const std::string expected = "cannot write " + (d / "s-2.csv") + ": File too large";
    _exit(!r.ok && r.error == expected ? 0 : 1);
  }
  int status = -1;
  waitpid(pid, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(d.entries(), Names({"s.csv", "s-1.csv"}));
}

TEST(WriteFileReplacing, CreatesAndReplacesWhole) {
  TempFolder d;
  const std::string path = d / "motion.csv";
  WriteResult r = write_file_replacing(path, "a long first version\nof the file\n");
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.path, path);
  r = write_file_replacing(path, "short\n");
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(read_file(path), "short\n");
  EXPECT_EQ(d.entries(), Names({"motion.csv"}));
}

TEST(WriteFileReplacing, KeepsThePermissionsOfTheReplacedFile) {
  TempFolder d;
  const std::string path = d / "motion.csv";
  put_file(path, "old");
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);
  ASSERT_TRUE(write_file_replacing(path, "new").ok);
  struct stat st;
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(WriteFileReplacing, BareNameGoesToTheCurrentFolder) {
  TempFolder d;
  const std::string here = std::filesystem::current_path().string();
  ASSERT_EQ(chdir(d.path().c_str()), 0);
  const WriteResult r = write_file_replacing("bare.csv", "x\n");
  ASSERT_EQ(chdir(here.c_str()), 0);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.path, "bare.csv");
  EXPECT_EQ(read_file(d / "bare.csv"), "x\n");
  EXPECT_EQ(d.entries(), Names({"bare.csv"}));
}

TEST(WriteFileReplacing, Errors) {
  TempFolder d;
  WriteResult r = write_file_replacing(d / "missing/motion.csv", "x");
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.error, "cannot write " + (d / "missing/motion.csv") + ": No such file or directory");
  ASSERT_EQ(mkdir((d / "folder").c_str(), 0755), 0);
  put_file(d / "folder/inside", "keep");
  r = write_file_replacing(d / "folder", "x");
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.error, "cannot write " + (d / "folder") + ": Is a directory");
  EXPECT_EQ(read_file(d / "folder/inside"), "keep");
  r = write_file_replacing(d / "folder/", "x");
  EXPECT_FALSE(r.ok);
  r = write_file_replacing("", "x");
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(d.entries(), Names({"folder"}));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(d / "folder"), {}), 1);
}

TEST(WriteFileReplacing, FailedWriteKeepsTheOldFile) {
  TempFolder d;
  const std::string path = d / "motion.csv";
  put_file(path, "the old contents\n");
  const std::string big(8192, 'y');
  EXPECT_EQ(with_small_file_limit([&] { return write_file_replacing(path, big); }), 0);
  EXPECT_EQ(read_file(path), "the old contents\n");
  EXPECT_EQ(d.entries(), Names({"motion.csv"}));
}

}  // namespace

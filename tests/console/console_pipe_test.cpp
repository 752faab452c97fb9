// Console input from a pipe, and the standard console in a child process
// whose standard input and output are pipes.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <string>
#include <thread>

#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "console/console.h"
#include "console_test_support.h"

using console_test::bytes;
using console_test::kInputEnded;

namespace {

class Pipe {
 public:
  Pipe() {
    if (pipe(fd_) != 0) fd_[0] = fd_[1] = -1;
  }
  ~Pipe() {
    close_read();
    close_write();
  }
  Pipe(const Pipe&) = delete;
  Pipe& operator=(const Pipe&) = delete;

  int read_end() const { return fd_[0]; }
  int write_end() const { return fd_[1]; }
  bool ok() const { return fd_[0] >= 0; }
  void close_read() {
    if (fd_[0] >= 0) close(fd_[0]);
    fd_[0] = -1;
  }
  void close_write() {
    if (fd_[1] >= 0) close(fd_[1]);
    fd_[1] = -1;
  }
  bool write_all(const std::string& s) const {
    std::size_t done = 0;
    while (done < s.size()) {
      const ssize_t n = write(fd_[1], s.data() + done, s.size() - done);
      if (n <= 0) return false;
      done += static_cast<std::size_t>(n);
    }
    return true;
  }
  // Bytes written but not yet read by the other side.
  int unread() const {
    int n = 0;
    ioctl(fd_[0], FIONREAD, &n);
    return n;
  }

 private:
  int fd_[2];
};

TEST(ConsolePipe, KeysAndNumbersInOrder) {
  Pipe in;
  ASSERT_TRUE(in.ok());
  ASSERT_TRUE(in.write_all("b\ng\n\ny\n1.5 2\nz\n0 0.1\n0.8 -0.2 extra\nn"));
  in.close_write();
  Console con(in.read_end(), nullptr, Encoding::Utf8);
  con.set_input_end_text(console_test::kInputEnded);
  EXPECT_EQ(con.read_key(), 'b');
  EXPECT_EQ(con.read_key(), 'g');
  EXPECT_EQ(con.read_key(), 'y');
  double u[2] = {0, 0};
  EXPECT_EQ(con.read_numbers(u, 2), 2);
  EXPECT_EQ(u[0], 1.5);
  EXPECT_EQ(u[1], 2.0);
  EXPECT_EQ(con.read_key(), 'z');
  double p[4] = {9, 9, 9, 9};
  EXPECT_EQ(con.read_numbers(p, 4), 4);
  EXPECT_EQ(p[1], 0.1);
  EXPECT_EQ(p[3], -0.2);
  EXPECT_EQ(con.read_key(), 'n');
  EXPECT_EQ(con.read_key(), std::nullopt);
  EXPECT_EQ(con.output(), kInputEnded);
  EXPECT_EQ(con.reads(), 8);  // the last one met the end
}

// From a pipe every byte counts: answers written ahead of a dialogue stay.
TEST(ConsolePipe, NothingIsDroppedBeforeADialogue) {
  Pipe in;
  ASSERT_TRUE(in.ok());
  ASSERT_TRUE(in.write_all("y n"));
  in.close_write();
  Console con(in.read_end(), nullptr, Encoding::Utf8);
  EXPECT_EQ(con.read_key(), 'y');  // " n" is now buffered
  con.discard_typed_ahead();
  EXPECT_EQ(con.read_key(), 'n');
}

// The writer waits until the console has taken every byte before it sends the
// rest, so the number really arrives in pieces.
TEST(ConsolePipe, NumberSplitAcrossReads) {
  Pipe in;
  ASSERT_TRUE(in.ok());
  Console con(in.read_end(), nullptr, Encoding::Utf8);
  con.set_input_end_text(console_test::kInputEnded);
  bool drained = true;
  std::thread writer([&] {
    for (const char* piece : {"12", "34.5 -", "6", "7\nq"}) {
      in.write_all(piece);
      drained = drained && console_test::wait_until([&] { return in.unread() == 0; });
    }
    in.close_write();
  });
  double v[2] = {0, 0};
  const int got = con.read_numbers(v, 2);
  const std::optional<char> key = con.read_key();
  writer.join();
  EXPECT_TRUE(drained);
  EXPECT_EQ(got, 2);
  EXPECT_EQ(v[0], 1234.5);
  EXPECT_EQ(v[1], -67.0);
  EXPECT_EQ(key, 'q');
}

TEST(ConsolePipe, LongInputThroughTheSmallPipeBuffer) {
  Pipe in;
  ASSERT_TRUE(in.ok());
  const int lines = 20000;
  std::thread writer([&] {
    in.write_all("1 2 " + std::string(1 << 20, 'x') + "\n");
    std::string block;
    for (int i = 0; i < lines; ++i) block += std::to_string(i) + " -" + std::to_string(i) + ".5\n";
    in.write_all(block + "z");
    in.close_write();
  });
  Console con(in.read_end(), nullptr, Encoding::Utf8);
  con.set_input_end_text(console_test::kInputEnded);
  double v[2] = {0, 0};
  EXPECT_EQ(con.read_numbers(v, 2), 2);
  int wrong = 0;
  for (int i = 0; i < lines; ++i) {
    if (con.read_numbers(v, 2) != 2 || v[0] != i || v[1] != -i - 0.5) ++wrong;
  }
  EXPECT_EQ(wrong, 0);
  EXPECT_EQ(con.read_key(), 'z');
  EXPECT_EQ(con.read_key(), std::nullopt);
  writer.join();
}

// ---- The standard console in a child process ----

struct ChildResult {
  int status = -1;  // exit status, or -1 if the child did not exit normally
  std::string output;
};

// Runs body in a child whose standard input gives `input` and then ends
// (the body answers the child's exit status),
// with LC_ALL set to `locale`; collects what it writes to standard output.
template <class Body>
ChildResult run_child(const std::string& input, const char* locale, Body body) {
  ChildResult result;
  Pipe in, out;
  if (!in.ok() || !out.ok()) return result;
  std::fflush(stdout);
  const pid_t pid = fork();
  if (pid < 0) return result;
  if (pid == 0) {
    dup2(in.read_end(), 0);
    dup2(out.write_end(), 1);
    in.close_read();
    in.close_write();
    out.close_read();
    out.close_write();
    setenv("LC_ALL", locale, 1);
    _exit(body());  // the status, as main returns it
  }
  in.close_read();
  out.close_write();
  in.write_all(input);
  in.close_write();
  result.output = console_test::read_all(out.read_end());
  int status = 0;
  if (!console_test::wait_until([&] { return waitpid(pid, &status, WNOHANG) == pid; })) {
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return result;
  }
  if (WIFEXITED(status)) result.status = WEXITSTATUS(status);
  return result;
}

TEST(ConsoleProcess, PipedSessionThenEndOfInput) {
  const ChildResult r = run_child("b g\n 1.5 2 junk\ny\n", "C.utf8", [] {
    Console& con = Console::standard(detect_console_encoding());
    con.set_input_end_text(console_test::kInputEnded);
    const char robot = con.read_key().value_or('?');
    const char gravity = con.read_key().value_or('?');
    double u[2] = {0, 0};
    const int n = con.read_numbers(u, 2);
    con.printf("%c%c %d %5.2f %5.2f %c", robot, gravity, n, u[0], u[1], con.read_key().value_or('?'));
    con.read_key();
    con.finish();
    return con.ended() ? 1 : 0;
  });
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.output, std::string("bg 2  1.50  2.00 y") + kInputEnded);
}

TEST(ConsoleProcess, EndOfInputAtANumberReadInCp932) {
  // ja_JP.SJIS is not installed: the name decides, and it is not UTF-8.
  const ChildResult r = run_child("3\n", "ja_JP.SJIS", [] {
    double v[2];
    Console& con = Console::standard(detect_console_encoding());
    con.set_input_end_text(console_test::kInputEnded);
    return con.read_numbers(v, 2) < 0 ? 1 : 0;
  });
  EXPECT_EQ(r.status, 1);
  // "\nコンソール入力が終わりました。終了します。\n" in CP932.
  EXPECT_EQ(r.output,
            bytes({0x0A, 0x83, 0x52, 0x83, 0x93, 0x83, 0x5C, 0x81, 0x5B, 0x83, 0x8B, 0x93, 0xFC,
                          0x97, 0xCD, 0x82, 0xAA, 0x8F, 0x49, 0x82, 0xED, 0x82, 0xE8, 0x82, 0xDC,
                          0x82, 0xB5, 0x82, 0xBD, 0x81, 0x42, 0x8F, 0x49, 0x97, 0xB9, 0x82, 0xB5,
                          0x82, 0xDC, 0x82, 0xB7, 0x81, 0x42}) +
                "\n");
}

TEST(ConsoleProcess, EmptyInputEndsAtTheFirstKey) {
  const ChildResult r = run_child("", "C.UTF-8", [] {
    Console& con = Console::standard(detect_console_encoding());
    con.set_input_end_text(console_test::kInputEnded);
    con.print("type=");
    return con.read_key() ? 0 : 1;
  });
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.output, std::string("type=") + kInputEnded);
}

}  // namespace

// Console input from a terminal (a pseudo-terminal): keys without Enter and
// without echo, numbers in the normal mode, and the terminal's mode restored
// after every read, at exit and on signals.
#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

#include <fcntl.h>
#include <pty.h>
#include <sys/wait.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include "console/console.h"
#include "console_test_support.h"

using console_test::kInputEnded;
using console_test::wait_until;

namespace {

bool in_key_mode(int fd) {
  termios t{};
  return tcgetattr(fd, &t) == 0 && (t.c_lflag & ICANON) == 0;
}

// Scheduler state of one thread of this process ('R', 'S', ...).
char thread_state(pid_t tid) {
  std::ifstream stat("/proc/self/task/" + std::to_string(tid) + "/stat");
  std::string line;
  std::getline(stat, line);
  const std::size_t close = line.rfind(')');
  return close != std::string::npos && close + 2 < line.size() ? line[close + 2] : '?';
}

class ConsoleTerminal : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(openpty(&master_, &slave_, nullptr, nullptr, nullptr), 0);
    termios t{};
    ASSERT_EQ(tcgetattr(slave_, &t), 0);
    t.c_lflag |= ICANON | ECHO | ISIG;
    t.c_iflag |= ICRNL;
    t.c_oflag |= OPOST | ONLCR;
    // Unused in canonical mode; values other than the key mode's make the
    // checks of the key mode and of the restored mode meaningful.
    t.c_cc[VMIN] = 4;
    t.c_cc[VTIME] = 3;
    ASSERT_EQ(tcsetattr(slave_, TCSANOW, &t), 0);
    ASSERT_EQ(tcgetattr(slave_, &normal_), 0);
  }
  void TearDown() override {
    if (master_ >= 0) close(master_);
    if (slave_ >= 0) close(slave_);
  }

  void expect_normal_mode() const {
    termios now{};
    ASSERT_EQ(tcgetattr(slave_, &now), 0);
    EXPECT_NE(now.c_lflag & ICANON, 0u);
    EXPECT_NE(now.c_lflag & ECHO, 0u);
    EXPECT_EQ(now.c_lflag, normal_.c_lflag);
    EXPECT_EQ(now.c_iflag, normal_.c_iflag);
    EXPECT_EQ(now.c_oflag, normal_.c_oflag);
    EXPECT_EQ(std::memcmp(now.c_cc, normal_.c_cc, sizeof now.c_cc), 0);
  }

  void type(const std::string& s) const {
    ASSERT_EQ(write(master_, s.data(), s.size()), static_cast<ssize_t>(s.size()));
  }

  int master_ = -1;
  int slave_ = -1;
  termios normal_{};
};

// Waits (in a helper thread) until the console has put the terminal into key
// mode, notes the mode, and types the keys. If key mode never comes, the keys
// are typed anyway with an Enter, so that a faulty read cannot hang the test.
class KeyTypist {
 public:
  KeyTypist(int master, int slave, std::string keys)
      : thread_([this, master, slave, keys] {
          seen_ = wait_until([&] { return in_key_mode(slave); });
          tcgetattr(slave, &mode_);
          const std::string text = seen_ ? keys : keys + "\n";
          if (write(master, text.data(), text.size()) < 0) seen_ = false;
        }) {}
  ~KeyTypist() { join(); }
  void join() {
    if (thread_.joinable()) thread_.join();
  }
  bool seen() {
    join();
    return seen_;
  }
  const termios& mode() {
    join();
    return mode_;
  }

 private:
  bool seen_ = false;
  termios mode_{};
  std::thread thread_;
};

TEST_F(ConsoleTerminal, KeyWithoutEnterAndWithoutEcho) {
  Console con(slave_, nullptr, Encoding::Utf8);
  con.set_input_end_text(console_test::kInputEnded);
  KeyTypist typist(master_, slave_, "y");
  const std::optional<char> key = con.read_key();
  EXPECT_EQ(key, 'y');
  ASSERT_TRUE(typist.seen());
  const termios& during = typist.mode();
  EXPECT_EQ(during.c_lflag & (ICANON | ECHO), 0u);
  EXPECT_NE(during.c_lflag & ISIG, 0u);  // Ctrl-C still interrupts
  EXPECT_EQ(during.c_cc[VMIN], 1);
  EXPECT_EQ(during.c_cc[VTIME], 0);
  expect_normal_mode();

  // Echo is back: a line typed now comes back on the master side, and
  // nothing came before it, so the key was not echoed.
  type("z\n");
  const std::string echoed = console_test::read_until(master_, '\n');
  EXPECT_EQ(echoed, "z\r\n");
}

TEST_F(ConsoleTerminal, SeveralKeysTypedAtOnceComeInOrder) {
  Console con(slave_, nullptr, Encoding::Utf8);
  con.set_input_end_text(console_test::kInputEnded);
  KeyTypist typist(master_, slave_, "abc");
  EXPECT_EQ(con.read_key(), 'a');
  typist.join();
  EXPECT_EQ(con.read_key(), 'b');
  EXPECT_EQ(con.read_key(), 'c');
  EXPECT_EQ(con.reads(), 3);
  expect_normal_mode();
}

// Keys typed before a window key opened a dialogue do not answer it: the
// typed-ahead bytes are dropped, those typed after count.
TEST_F(ConsoleTerminal, KeysTypedAheadAreDroppedBeforeADialogue) {
  Console con(slave_, nullptr, Encoding::Utf8);
  con.set_input_end_text(console_test::kInputEnded);
  type("yy\n");
  // The bytes are in the terminal's input queue before they are dropped.
  ASSERT_TRUE(wait_until([&] {
    int queued = 0;
    return ioctl(slave_, FIONREAD, &queued) == 0 && queued == 3;
  }));
  con.discard_typed_ahead();
  KeyTypist typist(master_, slave_, "n");
  EXPECT_EQ(con.read_key(), 'n');
  typist.join();
  expect_normal_mode();
}

// A key press is the answer, whatever the key: Enter and space included.
TEST_F(ConsoleTerminal, EnterAndSpaceAreKeys) {
  Console con(slave_, nullptr, Encoding::Utf8);
  con.set_input_end_text(console_test::kInputEnded);
  KeyTypist typist(master_, slave_, "\n \tg");
  EXPECT_EQ(con.read_key(), '\n');
  EXPECT_TRUE(typist.seen());
  EXPECT_EQ(con.read_key(), ' ');
  EXPECT_EQ(con.read_key(), '\t');
  EXPECT_EQ(con.read_key(), 'g');
  expect_normal_mode();
}

TEST_F(ConsoleTerminal, NumbersInNormalModeBetweenKeys) {
  Console con(slave_, nullptr, Encoding::Utf8);
  con.set_input_end_text(console_test::kInputEnded);
  const pid_t reader = gettid();
  bool mode_seen = false;
  termios during_numbers{};
  std::thread typist([&] {
    mode_seen = wait_until([&] { return in_key_mode(slave_); });
    type("u");
    // Wait until the key mode is gone and the reader sleeps in its next read.
    wait_until([&] { return !in_key_mode(slave_) && thread_state(reader) == 'S'; });
    tcgetattr(slave_, &during_numbers);
    type("1.5 -2\n");
    mode_seen = mode_seen && wait_until([&] { return in_key_mode(slave_); });
    type("n");
  });
  const std::optional<char> first = con.read_key();
  double v[2] = {0, 0};
  const int got = con.read_numbers(v, 2);
  const std::optional<char> last = con.read_key();
  typist.join();

  EXPECT_TRUE(mode_seen);
  EXPECT_EQ(first, 'u');
  EXPECT_EQ(got, 2);
  EXPECT_EQ(v[0], 1.5);
  EXPECT_EQ(v[1], -2.0);
  EXPECT_EQ(last, 'n');
  EXPECT_NE(during_numbers.c_lflag & ICANON, 0u);
  EXPECT_NE(during_numbers.c_lflag & ECHO, 0u);
  expect_normal_mode();
  // Only the numbers were echoed.
  EXPECT_EQ(console_test::read_until(master_, '\n'), "1.5 -2\r\n");
}

TEST_F(ConsoleTerminal, EndOfFileKeyEndsTheInput) {
  Console con(slave_, nullptr, Encoding::Utf8);
  con.set_input_end_text(console_test::kInputEnded);
  KeyTypist typist(master_, slave_, std::string(1, static_cast<char>(normal_.c_cc[VEOF])));
  EXPECT_EQ(con.read_key(), std::nullopt);
  EXPECT_TRUE(typist.seen());
  EXPECT_EQ(con.output(), kInputEnded);
  expect_normal_mode();
}

TEST_F(ConsoleTerminal, EndOfFileAtANumberRead) {
  Console con(slave_, nullptr, Encoding::Utf8);
  con.set_input_end_text(console_test::kInputEnded);
  type(std::string(1, static_cast<char>(normal_.c_cc[VEOF])));
  double v[2] = {0, 0};
  EXPECT_EQ(con.read_numbers(v, 2), -1);
  EXPECT_EQ(con.output(), kInputEnded);
  expect_normal_mode();
}

TEST_F(ConsoleTerminal, HangUpEndsTheInput) {
  Console con(slave_, nullptr, Encoding::Utf8);
  con.set_input_end_text(console_test::kInputEnded);
  std::thread hangup([&] {
    wait_until([&] { return in_key_mode(slave_); });
    close(master_);
  });
  EXPECT_EQ(con.read_key(), std::nullopt);
  hangup.join();
  master_ = -1;
  EXPECT_EQ(con.output(), kInputEnded);
}

// ---- The process ends while a key read waits ----

// Runs body in a child process with the pseudo-terminal as its standard
// input and /dev/null as its standard output.
template <class Body>
pid_t fork_child(int master, int slave, Body body) {
  std::fflush(stdout);
  const pid_t pid = fork();
  if (pid == 0) {
    close(master);
    dup2(slave, 0);
    const int null_fd = open("/dev/null", O_WRONLY);
    if (null_fd >= 0) dup2(null_fd, 1);
    body();
    _exit(99);
  }
  return pid;
}

// The child's wait status, or -1 if it does not end in time (it is killed).
int wait_child(pid_t pid) {
  if (pid < 0) return -1;
  int status = 0;
  if (!wait_until([&] { return waitpid(pid, &status, WNOHANG) == pid; })) {
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return -1;
  }
  return status;
}

class ConsoleTerminalSignal : public ConsoleTerminal, public ::testing::WithParamInterface<int> {};

TEST_P(ConsoleTerminalSignal, RestoresTheTerminalAndDiesOfTheSignal) {
  const int sig = GetParam();
  const pid_t pid = fork_child(master_, slave_, [] { Console::standard(detect_console_encoding()).read_key(); });
  ASSERT_GT(pid, 0);
  const bool waiting = wait_until([&] { return in_key_mode(slave_); });
  kill(pid, sig);
  const int status = wait_child(pid);
  EXPECT_TRUE(waiting);
  ASSERT_NE(status, -1);
  EXPECT_TRUE(WIFSIGNALED(status)) << status;
  if (WIFSIGNALED(status)) {
    EXPECT_EQ(WTERMSIG(status), sig);
  }
  expect_normal_mode();
}

INSTANTIATE_TEST_SUITE_P(ConsoleSignals, ConsoleTerminalSignal, ::testing::Values(SIGINT, SIGTERM, SIGHUP),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return "Signal" + std::to_string(info.param);
                         });

// A window toolkit may call exit() while the console is not even reading;
// here another thread ends the process in the middle of a key read.
TEST_F(ConsoleTerminal, ExitDuringAKeyReadRestoresTheTerminal) {
  const int slave = slave_;
  const pid_t pid = fork_child(
      master_, slave_,
      [slave] {
        Console::standard(detect_console_encoding());  // installs the restore at exit
        Console con(slave, nullptr, Encoding::Utf8);
        con.set_input_end_text(console_test::kInputEnded);
        std::thread ender([slave] {
          if (wait_until([&] { return in_key_mode(slave); })) std::exit(7);
          _exit(98);
        });
        ender.detach();
        con.read_key();
      });
  ASSERT_GT(pid, 0);
  const int status = wait_child(pid);
  ASSERT_NE(status, -1);
  ASSERT_TRUE(WIFEXITED(status)) << status;
  EXPECT_EQ(WEXITSTATUS(status), 7);
  expect_normal_mode();
}

}  // namespace

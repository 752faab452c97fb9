// A task given with the program: its items, the answers they type, the
// console that reads them before its input, and the dialogue they answer.
#include "app/task_answers.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <thread>

#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include "app/dialogue_texts.h"
#include "app/startup.h"
#include "console/console.h"
#include "console/console_test_support.h"

namespace {

using app::has_task_item;
using app::set_task_item;
using app::task_answers;
using app::task_item_out_of_order;
using app::TaskItem;
using app::TaskOptions;
using dialogue_texts::count;
using dialogue_texts::run_to_end;

TaskOptions task(char robot, char gravity, std::string ratios = "", std::string points = "",
                 char elbow = 0) {
  TaskOptions t;
  bool ok = true;
  if (robot) ok = set_task_item(t, TaskItem::Robot, std::string(1, robot)) && ok;
  if (gravity) ok = set_task_item(t, TaskItem::Gravity, std::string(1, gravity)) && ok;
  if (!ratios.empty()) ok = set_task_item(t, TaskItem::Ratios, ratios) && ok;
  if (!points.empty()) ok = set_task_item(t, TaskItem::Points, points) && ok;
  if (elbow) ok = set_task_item(t, TaskItem::Elbow, std::string(1, elbow)) && ok;
  EXPECT_TRUE(ok);
  return t;
}

// ---- The items ----

TEST(TaskOptions, KeysAreTheDialoguesOwn) {
  TaskOptions t;
  for (const char* v : {"a", "b"}) {
    EXPECT_TRUE(set_task_item(t, TaskItem::Robot, v));
    EXPECT_EQ(t.robot, v[0]);
  }
  for (const char* v : {"g", "h"}) {
    EXPECT_TRUE(set_task_item(t, TaskItem::Gravity, v));
    EXPECT_EQ(t.gravity, v[0]);
  }
  for (const char* v : {"1", "2"}) {
    EXPECT_TRUE(set_task_item(t, TaskItem::Elbow, v));
    EXPECT_EQ(t.elbow, v[0]);
  }
  const TaskOptions before = t;
  for (const char* v : {"", "x", "A", "ab", "c", " a", "a ", "1"})
    EXPECT_FALSE(set_task_item(t, TaskItem::Robot, v)) << v;
  for (const char* v : {"", "G", "y", "n", "gh", "0"})
    EXPECT_FALSE(set_task_item(t, TaskItem::Gravity, v)) << v;
  for (const char* v : {"", "0", "3", "12", "a", "1.0"})
    EXPECT_FALSE(set_task_item(t, TaskItem::Elbow, v)) << v;
  EXPECT_EQ(t, before);  // a value refused changes nothing
}

TEST(TaskOptions, NumbersAreKeptAsWritten) {
  TaskOptions t;
  ASSERT_TRUE(set_task_item(t, TaskItem::Ratios, "30,25.50"));
  EXPECT_EQ(t.ratios, (std::vector<std::string>{"30", "25.50"}));
  ASSERT_TRUE(set_task_item(t, TaskItem::Points, "0.8,-0,+.2,8E-1"));
  EXPECT_EQ(t.points, (std::vector<std::string>{"0.8", "-0", "+.2", "8E-1"}));
  EXPECT_EQ(app::task_item_value(t, TaskItem::Points), "0.8,-0,+.2,8E-1");
  ASSERT_TRUE(set_task_item(t, TaskItem::Ratios, "1.,1e+3"));
  EXPECT_EQ(t.ratios, (std::vector<std::string>{"1.", "1e+3"}));
  // A value given again replaces the one before.
  ASSERT_TRUE(set_task_item(t, TaskItem::Points, "1,2,3,4"));
  EXPECT_EQ(app::task_item_value(t, TaskItem::Points), "1,2,3,4");
}

TEST(TaskOptions, NumbersThatAreNotDecimalsOrTooFewOrTooMany) {
  TaskOptions t;
  ASSERT_TRUE(set_task_item(t, TaskItem::Ratios, "30,30"));
  ASSERT_TRUE(set_task_item(t, TaskItem::Points, "0.8,0,0,0.8"));
  const TaskOptions before = t;
  for (const char* v : {"", "30", "30,30,30", "30,", ",30", "30,,30", "30 30", "30, 30", "a,b",
                        "30,x", "nan,30", "inf,30", "0x1e,30", "30,1e", "30,1e+", ".,30", "-,30",
                        "30,3.0.0", "30;30", "30,30\n", "1,5e3.2"})
    EXPECT_FALSE(set_task_item(t, TaskItem::Ratios, v)) << v;
  for (const char* v : {"a,b,c,d", "0.8,0,0.2", "0.8,0,0.2,0.8,0", "0.8 0 0.2 0.8", "0,8,0,0,2"})
    EXPECT_FALSE(set_task_item(t, TaskItem::Points, v)) << v;
  EXPECT_EQ(t, before);
}

TEST(TaskOptions, NamesValuesAndUsage) {
  EXPECT_STREQ(app::task_item_name(TaskItem::Robot), "robot");
  EXPECT_STREQ(app::task_item_name(TaskItem::Elbow), "elbow");
  EXPECT_EQ(app::task_item_named("ratios"), TaskItem::Ratios);
  EXPECT_EQ(app::task_item_named("points"), TaskItem::Points);
  EXPECT_EQ(app::task_item_named("gravity"), TaskItem::Gravity);
  EXPECT_EQ(app::task_item_named("lang"), std::nullopt);
  EXPECT_STREQ(app::task_item_values(TaskItem::Points), "X0,Y0,XF,YF");
  EXPECT_STREQ(app::task_item_values(TaskItem::Ratios), "U1,U2");
  EXPECT_EQ(app::task_item_usage(TaskItem::Elbow),
            "--robot b --gravity g|h --points X0,Y0,XF,YF --elbow 1|2");
}

TEST(TaskOptions, EachItemNeedsThoseAskedBeforeIt) {
  EXPECT_EQ(task_item_out_of_order({}), std::nullopt);
  EXPECT_EQ(task_item_out_of_order(task('a', 0)), std::nullopt);
  EXPECT_EQ(task_item_out_of_order(task('b', 'g', "40,40", "0.6,0.2,0.2,0.6", '2')), std::nullopt);
  EXPECT_EQ(task_item_out_of_order(task(0, 'h')), TaskItem::Gravity);
  EXPECT_EQ(task_item_out_of_order(task('a', 0, "30,30")), TaskItem::Ratios);
  EXPECT_EQ(task_item_out_of_order(task(0, 'h', "", "1,0,0,1")), TaskItem::Gravity);
  EXPECT_EQ(task_item_out_of_order(task(0, 0, "", "1,0,0,1")), TaskItem::Points);
  EXPECT_EQ(task_item_out_of_order(task('b', 0, "", "1,0,0,1")), TaskItem::Points);
  EXPECT_EQ(task_item_out_of_order(task('b', 'h', "", "", '1')), TaskItem::Elbow);
  EXPECT_EQ(task_item_out_of_order(task('a', 'h', "", "1,0,0,1", '1')), TaskItem::Elbow);
  EXPECT_EQ(task_item_out_of_order(task(0, 0, "", "", '2')), TaskItem::Elbow);
  EXPECT_TRUE(has_task_item(task('a', 0), TaskItem::Robot));
  EXPECT_FALSE(has_task_item(task('a', 0), TaskItem::Gravity));
}

// ---- The answers ----

TEST(TaskAnswers, OneLinePerQuestionInTheDialoguesOrder) {
  EXPECT_EQ(task_answers({}), "");
  EXPECT_EQ(task_answers(task('a', 0)), "a\n");
  EXPECT_EQ(task_answers(task('b', 'g')), "b\ng\n");
  EXPECT_EQ(task_answers(task('a', 'h', "", "0.8,0,0.2,0.8")),
            "a\nh\ny\nz\nh\ny\n0.8 0 0.2 0.8\n");
  EXPECT_EQ(task_answers(task('a', 'g', "25,35.5")), "a\ng\ny\ny\n25 35.5\ng\n");
  EXPECT_EQ(task_answers(task('b', 'h', "40,40", "0.6,0.2,0.2,0.6")),
            "b\nh\ny\ny\n40 40\nh\ny\n0.6 0.2 0.2 0.6\n");
  EXPECT_EQ(task_answers(task('b', 'g', "", "+.6,2e-1,0.20,0.6", '2')),
            "b\ng\ny\nz\ng\ny\n+.6 2e-1 0.20 0.6\n2\n");
  EXPECT_EQ(task_answers(task('b', 'h', "", "0.8,0,0,1.0", '1')),
            "b\nh\ny\nz\nh\ny\n0.8 0 0 1.0\n1\n");
}

TEST(TaskAnswers, ItemsOutOfOrderAnswerNothing) {
  EXPECT_EQ(task_answers(task(0, 'h')), "");
  EXPECT_EQ(task_answers(task(0, 0, "30,30", "1,0,0,1", '1')), "");
  EXPECT_EQ(task_answers(task('a', 0, "30,30")), "a\n");
  EXPECT_EQ(task_answers(task('a', 'h', "", "", '1')), "a\nh\n");
  EXPECT_EQ(task_answers(task('a', 'h', "", "1,0,0,1", '2')), "a\nh\ny\nz\nh\ny\n1 0 0 1\n");
}

// ---- The console reads them first ----

TEST(TaskAnswersConsole, ScriptedInputAfterTheAnswers) {
  Console con("n\n", Encoding::Utf8);
  con.answer_first("y\n 2.5\n  -1 x\nz\n");
  char key = 0;
  ASSERT_EQ(con.try_key(key), Console::Read::Done);
  EXPECT_EQ(key, 'y');
  double v[3] = {7, 7, 7};
  int got = 0;
  ASSERT_EQ(con.try_numbers(v, 3, got), Console::Read::Done);
  EXPECT_EQ(got, 2);  // over two lines, up to the word that is not a number, as piped
  EXPECT_EQ(v[0], 2.5);
  EXPECT_EQ(v[1], -1.0);
  EXPECT_EQ(v[2], 7.0);
  ASSERT_EQ(con.try_key(key), Console::Read::Done);
  EXPECT_EQ(key, 'z');
  ASSERT_EQ(con.try_key(key), Console::Read::Done);
  EXPECT_EQ(key, 'n');
  EXPECT_EQ(con.try_key(key), Console::Read::Ended);
  EXPECT_TRUE(con.output().empty());  // nothing is echoed
}

// On a terminal (and in the page's pane) every typed byte is a key; the
// answers given first still read as piped input, their line feeds only
// separating them, and a window key that drops typed-ahead keys keeps them.
TEST(TaskAnswersConsole, FedConsoleReadsTheAnswersAsPiped) {
  Console con(Console::Fed{}, Encoding::Utf8);
  con.feed("x");  // typed before any question
  con.answer_first("a\n");
  con.answer_first("h\n1 2\n");  // after the answers given before
  con.discard_typed_ahead();     // drops x, keeps the answers
  char key = 0;
  ASSERT_EQ(con.try_key(key), Console::Read::Done);
  EXPECT_EQ(key, 'a');
  ASSERT_EQ(con.try_key(key), Console::Read::Done);
  EXPECT_EQ(key, 'h');
  double v[2] = {0, 0};
  int got = 0;
  ASSERT_EQ(con.try_numbers(v, 2, got), Console::Read::Done);
  EXPECT_EQ(got, 2);
  EXPECT_EQ(v[1], 2.0);
  EXPECT_EQ(con.try_key(key), Console::Read::Wait);
  con.feed(" ");
  ASSERT_EQ(con.try_key(key), Console::Read::Done);
  EXPECT_EQ(key, ' ');  // a typed space is a key
}

TEST(TaskAnswersConsole, TerminalKeysAfterTheAnswers) {
  int master = -1, slave = -1;
  ASSERT_EQ(openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
  {
    Console con(slave, nullptr, Encoding::Utf8);
    con.set_input_end_text(console_test::kInputEnded);
    con.answer_first("b\n\ng\n");
    EXPECT_EQ(con.read_key(), 'b');
    EXPECT_EQ(con.read_key(), 'g');
    // The next key is typed once the console waits for it, without Enter.
    std::thread typist([&] {
      console_test::wait_until([&] {
        termios t{};
        return tcgetattr(slave, &t) == 0 && (t.c_lflag & ICANON) == 0;
      });
      EXPECT_EQ(write(master, "\n", 1), 1);
    });
    EXPECT_EQ(con.read_key(), '\n');  // typed Enter is a key on a terminal
    typist.join();
    EXPECT_EQ(con.reads(), 3);
    con.finish();
  }
  close(master);
  close(slave);
}

// ---- The dialogue they answer ----

struct Outcome {
  std::string output;
  Progress end;
  long reads;
};

Outcome run(const std::string& answers, const std::string& input, Lang lang = Lang::Ja) {
  auto s = std::make_unique<Scenario>();
  Console con(input, Encoding::Utf8);
  if (!answers.empty()) con.answer_first(answers);
  Ui ui{con, lang};
  const Progress end = run_to_end(run_startup(*s, ui), ui);
  return {con.output(), end, con.reads()};
}

long lines(const std::string& s) { return static_cast<long>(count(s, "\n")); }

// The answers alone answer every question they are meant for and no other:
// each line is read by one question, and the dialogue then waits for the user
// at the question expected (here the input ends there) or ends.
TEST(TaskAnswersDialogue, EachAnswerMeetsItsQuestion) {
  using namespace dialogue_texts;
  struct Case {
    TaskOptions task;
    std::string next;  // the text the dialogue stops at; empty: it ends
  };
  const Case cases[] = {
      {task('a', 0), "\n重力考慮？　　yes ; g    no : h   sgnG="},
      {task('b', 'h'), kGate},
      {task('a', 'h', "25,35"), kPointsGate},
      {task('b', 'g', "40,40"), kPointsGate},
      {task('a', 'g', "", "0.7,0.1,0.1,0.7"), ""},
      {task('b', 'h', "", "0.6,0.2,0.2,0.6"), kElbowQ},
      {task('b', 'h', "35,30", "0.6,0.2,0.2,0.6", '2'), ""},
      {task('b', 'h', "", "0.8,0,0,1.0", '1'),
       kUnreachable + "\n    アーム長1,2=( 0.500  0.400) 位置(x,y)=( 0.000  1.000)"},
  };
  for (const Case& c : cases) {
    const std::string answers = task_answers(c.task);
    SCOPED_TRACE(answers);
    const Outcome r = run(answers, "");
    if (c.next.empty()) {
      EXPECT_EQ(r.end, Progress::Done);
      EXPECT_EQ(r.reads, lines(answers));
      EXPECT_TRUE(ends_with(r.output, kToWindow));
    } else {
      EXPECT_EQ(r.end, Progress::InputEnded);
      EXPECT_EQ(r.reads, lines(answers) + 1);  // the answers, then the end of the input
      // The question expected is the last thing printed before the input's end.
      EXPECT_TRUE(ends_with(r.output, c.next + text(Text::InputEnded, Lang::Ja)));
    }
  }
}

// The answers followed by the user's input give the dialogue the very text of
// that input typed after the same answers, in both languages.
TEST(TaskAnswersDialogue, TheSameTextAsTypedAnswers) {
  struct Case {
    TaskOptions task;
    std::string rest;
  };
  const Case cases[] = {
      {task('a', 'h', "", "0.8,0,0.2,0.8"), "n"},
      {task('b', 'g', "", "0.6,0.2,0.2,0.6"), "2\n"},
      {task('a', 0), "g n"},
  };
  for (const Lang lang : {Lang::Ja, Lang::En}) {
    for (const Case& c : cases) {
      const std::string answers = task_answers(c.task);
      SCOPED_TRACE(answers);
      const Outcome given = run(answers, c.rest, lang);
      const Outcome typed = run("", answers + c.rest, lang);
      EXPECT_EQ(given.output, typed.output);
      EXPECT_EQ(given.end, Progress::Done);
      EXPECT_EQ(given.reads, typed.reads);
    }
  }
}

}  // namespace

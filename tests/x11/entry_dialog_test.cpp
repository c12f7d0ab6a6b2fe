// The password and login dialogs on a real X server, asked through
// x11_window_driver and answered with real key presses (xdotool): typed
// UTF-8 text, BackSpace, Tab, Enter and Escape, the frame's close; the
// titles, modal for the main window, and centred like the error box.
#include <gtest/gtest.h>

#include <thread>

#include "tests/support/child_process.h"
#include "tests/x11/driver_fixture.h"
#include "tests/x11/x_probe.h"

namespace merivan::x11test {
namespace {

using namespace std::chrono_literals;
using testing::RunShell;

constexpr const char* kPassword = "heslo-\xC5\xBElu\xC5\xA5";  // "heslo-žluť"

class EntryDialogTest : public DriverFixture {
 protected:
  // The user's locale: typed text is UTF-8 whatever it is.
  std::vector<std::string> DriverEnvironment() const override { return {"LANG=C.UTF-8", "LC_ALL", "LC_CTYPE"}; }

  // Sends `command` and waits for the dialog titled `title` to have the keyboard.
  Window Ask(const std::string& command, const std::string& title) {
    driver_->WriteLine(command);
    const auto dialog = FindWindowNamed("^" + title + "$", 15s, driver_->Pid());
    EXPECT_TRUE(dialog.has_value()) << "no dialog " << title;
    if (!dialog) return 0;
    EXPECT_TRUE(WaitUntilFocused(*dialog, 5s)) << "the dialog did not get the keyboard";
    return *dialog;
  }

  // xdotool reads the text to type in its locale's character set.
  void Keys(const std::string& arguments) { RunShell("LC_ALL=C.UTF-8 timeout 20 xdotool " + arguments); }
  void Type(const std::string& text) { Keys("type --delay 30 '" + text + "'"); }

  std::string Answer() { return driver_->ReadLine(15s).value_or("no answer"); }

  // Its title, modal for the main window, fixed in size, centred with its frame.
  void ExpectModalAndCentred(Window dialog, const std::string& title) {
    EXPECT_EQ(Property(dialog, "_NET_WM_NAME"), "_NET_WM_NAME(UTF8_STRING) = \"" + title + "\"\n");
    EXPECT_EQ(Property(dialog, "WM_NAME"), "WM_NAME(STRING) = \"" + title + "\"\n");
    EXPECT_EQ(ModalDialogFaults(dialog, window_, display_.ScreenWidth(), display_.ScreenHeight()), "");
  }
};

// Both dialogs: the title, modal and centred; the password typed, Enter.
TEST_F(EntryDialogTest, TypedThenEnter) {
  struct Case {
    std::string command;
    const char* title;
    const char* shot;
    std::vector<std::string> answers;
  };
  const Case cases[] = {
      {std::string("password 0 ") + kPassword + " ADRESATI.DB", "Enter password", "password_dialog", {"answer: right"}},
      {std::string("login ") + kPassword + " adresar anna", "Database Login", "login_dialog",
       {"user: anna", "answer: right"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    const Window dialog = Ask(c.command, c.title);
    ASSERT_NE(dialog, 0u);
    ExpectModalAndCentred(dialog, c.title);
    EXPECT_TRUE(Screenshot(dialog, ScreenshotFolder() + "/" + c.shot + ".png").has_value());
    Type(kPassword);
    EXPECT_TRUE(Screenshot(dialog, ScreenshotFolder() + "/" + c.shot + "_typed.png").has_value());
    Keys("key Return");
    for (const std::string& answer : c.answers) EXPECT_EQ(Answer(), answer);
  }
}

// BackSpace takes the whole "č" (two bytes) back; KP_Enter is Enter too.
TEST_F(EntryDialogTest, BackSpaceTakesOneCharacter) {
  const Window dialog = Ask(std::string("password 0 ") + kPassword + " T.DB", "Enter password");
  ASSERT_NE(dialog, 0u);
  Type(std::string(kPassword) + "\xC4\x8D");
  Keys("key BackSpace KP_Enter");
  EXPECT_EQ(Answer(), "answer: right");
}

TEST_F(EntryDialogTest, WrongPasswordThenTheDialogSaysSo) {
  const Window first = Ask("password 0 right T.DB", "Enter password");
  ASSERT_NE(first, 0u);
  const auto plain = Screenshot(first, ScreenshotFolder() + "/password_first.png");
  Type("wrong");
  Keys("key Return");
  EXPECT_EQ(Answer(), "answer: wrong");
  const Window again = Ask("password 1 right T.DB", "Enter password");
  ASSERT_NE(again, 0u);
  const auto told = Screenshot(again, ScreenshotFolder() + "/password_wrong.png");
  ASSERT_TRUE(plain && told);
  // The message at the top differs: "Wrong password." stands before it.
  bool differs = plain->width != told->width || plain->height != told->height;
  for (int y = 0; !differs && y < 30; ++y)
    for (int x = 0; !differs && x < plain->width; ++x) differs = plain->At(x, y) != told->At(x, y);
  EXPECT_TRUE(differs) << "the second dialog looks like the first";
  Type("right");
  Keys("key Return");
  EXPECT_EQ(Answer(), "answer: right");
}

TEST_F(EntryDialogTest, EscapeAndCloseCancel) {
  ASSERT_NE(Ask("password 0 x T.DB", "Enter password"), 0u);
  Type("abc");
  Keys("key Escape");
  EXPECT_EQ(Answer(), "answer: none");
  const Window dialog = Ask("password 0 x T.DB", "Enter password");
  ASSERT_NE(dialog, 0u);
  display_.SendCloseRequest(dialog);
  EXPECT_EQ(Answer(), "answer: none");
  // Tab to Cancel: Enter then takes Cancel.
  ASSERT_NE(Ask("password 0 x T.DB", "Enter password"), 0u);
  Type("x");
  Keys("key Tab Tab Return");
  EXPECT_EQ(Answer(), "answer: none");
}

// OK sits left of Cancel at the bottom right, 12 pixels from the edges.
TEST_F(EntryDialogTest, ClicksOnTheButtons) {
  struct Case {
    int fromRight;  // the button's centre, from the right edge
    const char* answer;
  };
  for (const Case& c : {Case{12 + 37, "answer: none"}, Case{12 + 75 + 6 + 37, "answer: right"}}) {
    const Window dialog = Ask("password 0 pw T.DB", "Enter password");
    ASSERT_NE(dialog, 0u);
    Type("pw");
    const auto box = GeometryOf(dialog);
    ASSERT_TRUE(box.has_value());
    Keys("mousemove " + std::to_string(box->x + box->width - c.fromRight) + " " +
         std::to_string(box->y + box->height - 12 - 11) + " click 1");
    EXPECT_EQ(Answer(), c.answer);
  }
}

// Steps are xdotool key names, or text to type after a "=".
TEST_F(EntryDialogTest, LoginUserKeptEditedOrTyped) {
  struct Case {
    const char* command;
    std::vector<std::string> steps;
    const char* user;
  };
  const Case cases[] = {
      {"login pw adresar anna",
       {"shift+Tab BackSpace BackSpace BackSpace BackSpace", "=bohu\xC5\xA1", "Tab", "=pw", "Return"},
       "bohu\xC5\xA1"},
      // Without an offered user the focus starts in the user field.
      {"login pw adresar", {"=eva", "Tab", "=pw", "Return"}, "eva"},
      // Round the controls back to the password; a blank typed and taken back.
      {"login pw adresar anna", {"=p", "shift+Tab shift+Tab Tab Tab", "=w", "space", "BackSpace", "Return"}, "anna"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    ASSERT_NE(Ask(c.command, "Database Login"), 0u);
    for (const std::string& step : c.steps) step[0] == '=' ? Type(step.substr(1)) : Keys("key " + step);
    EXPECT_EQ(Answer(), std::string("user: ") + c.user);
    EXPECT_EQ(Answer(), "answer: right");
  }
}

TEST_F(EntryDialogTest, LoginEscape) {
  ASSERT_NE(Ask("login pw adresar anna", "Database Login"), 0u);
  Keys("key Escape");
  EXPECT_EQ(Answer(), "answer: none");
}

class EntryDialogInTheCLocaleTest : public EntryDialogTest {
 protected:
  std::vector<std::string> DriverEnvironment() const override { return {"LANG", "LC_ALL", "LC_CTYPE"}; }
};

TEST_F(EntryDialogInTheCLocaleTest, TypedTextIsStillUtf8) {
  ASSERT_NE(Ask(std::string("password 0 ") + kPassword + " T.DB", "Enter password"), 0u);
  Type(kPassword);
  Keys("key Return");
  EXPECT_EQ(Answer(), "answer: right");
}

}  // namespace
}  // namespace merivan::x11test

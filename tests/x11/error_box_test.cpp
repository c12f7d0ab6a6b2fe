// The program itself on a real X server: its window while the error box is
// up, the box closed by Enter, Esc or a click on OK, the exit status 255
// after it, no bell; a real export with the window shown; a display that
// never answers.
#include <gtest/gtest.h>

#include <fstream>
#include <thread>

#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"
#include "tests/x11/silent_server.h"
#include "tests/x11/x_probe.h"

namespace merivan::x11test {
namespace {

using namespace std::chrono_literals;
using testing::ChildProcess;
using testing::RunShell;

const std::vector<std::string> kCzechUser = {"LANG=cs_CZ.UTF-8", "LC_ALL", "LC_CTYPE",
                                              "LOCPATH=" MERIVAN_BINARY_DIR "/locales"};
constexpr const char* kMainNamePattern = "^P.*prava adres.*pro import$";

class ErrorBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(display_.Get(), nullptr) << "no X server (run under with_x_server.sh)";
    ASSERT_TRUE(display_.ListenForBells());
    // The probe hears a bell when one rings.
    XBell(display_.Get(), 0);
    ASSERT_GE(display_.BellsRung(), 1);
  }

  // Starts the program and waits for its error box.
  void StartWithBox(const std::vector<std::string>& arguments, const std::string& name) {
    std::vector<std::string> argv{MERIVAN_PROGRAM};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    stderrPath_ = ScreenshotFolder() + "/" + name + ".stderr";
    program_ = std::make_unique<ChildProcess>(argv, kCzechUser, stderrPath_);
    ASSERT_TRUE(program_->Started());
    const auto box = FindWindowNamed("^Error$", 20s, program_->Pid());
    ASSERT_TRUE(box.has_value()) << "no error box; stderr: " << testing::ReadFile(stderrPath_);
    box_ = *box;
    const auto main = FindWindowNamed(kMainNamePattern, 5s, program_->Pid());
    ASSERT_TRUE(main.has_value()) << "no main window";
    main_ = *main;
    WaitUntilFocused(box_, 2s);
    ASSERT_TRUE(Screenshot(box_, ScreenshotFolder() + "/" + name + ".png").has_value());
  }

  void ExpectEndsWith255() {
    const auto status = program_->Wait(20s);
    ASSERT_TRUE(status.has_value()) << "still running after the box was closed";
    EXPECT_EQ(*status, 255) << testing::ReadFile(stderrPath_);
    EXPECT_EQ(display_.BellsRung(), 0) << "the box made a sound";
  }

  TestDisplay display_;
  std::unique_ptr<ChildProcess> program_;
  std::string stderrPath_;
  Window box_ = 0;
  Window main_ = 0;
};

TEST_F(ErrorBoxTest, EnterClosesTheBoxThenTheExitStatusIs255) {
  StartWithBox({}, "error_box_enter");
  std::this_thread::sleep_for(300ms);
  EXPECT_FALSE(program_->Wait(0ms).has_value()) << "ended before the box was closed";
  RunShell("timeout 10 xdotool key Return");
  ExpectEndsWith255();
}

TEST_F(ErrorBoxTest, EscClosesTheBox) {
  StartWithBox({}, "error_box_esc");
  RunShell("timeout 10 xdotool key Escape");
  ExpectEndsWith255();
}

// The frame's close button: WM_DELETE_WINDOW, the same as Esc.
TEST_F(ErrorBoxTest, ACloseRequestClosesTheBox) {
  StartWithBox({}, "error_box_close");
  display_.SendCloseRequest(box_);
  ExpectEndsWith255();
}

TEST_F(ErrorBoxTest, AClickOnOkClosesTheBox) {
  StartWithBox({}, "error_box_click");
  const auto box = GeometryOf(box_);
  ASSERT_TRUE(box.has_value());
  // OK sits centred, 12 pixels above the bottom edge, 23 pixels high.
  const int x = box->x + box->width / 2;
  const int y = box->y + box->height - 12 - 11;
  RunShell("timeout 10 xdotool mousemove " + std::to_string(x) + " " + std::to_string(y) + " click 1");
  ExpectEndsWith255();
}

TEST_F(ErrorBoxTest, TheBoxAndTheWindowBehindIt) {
  StartWithBox({}, "error_box_properties");
  EXPECT_EQ(Property(box_, "WM_NAME"), "WM_NAME(STRING) = \"Error\"\n");
  EXPECT_EQ(ModalDialogFaults(box_, main_, display_.ScreenWidth(), display_.ScreenHeight()), "");

  // The program's own window: taskbar name from its file name.
  EXPECT_EQ(Property(main_, "WM_CLASS"), "WM_CLASS(STRING) = \"merivan\", \"merivan\"\n");
  EXPECT_EQ(Property(main_, "_NET_WM_ICON_NAME"), "_NET_WM_ICON_NAME(UTF8_STRING) = \"merivan\"\n");
  const auto main = GeometryOf(main_);
  ASSERT_TRUE(main.has_value());
  EXPECT_EQ(main->width, 493);
  EXPECT_EQ(main->height, 35);

  // The screenshot shows the error sign: red beside the text.
  const auto shot = Screenshot(box_, ScreenshotFolder() + "/error_box_sign.png");
  ASSERT_TRUE(shot.has_value());
  const uint32_t red = shot->At(12 + 16, 12 + 4);
  EXPECT_GT(red >> 16, 0xC0u);
  EXPECT_LT((red >> 8) & 0xFF, 0x40u);
  RunShell("timeout 10 xdotool key Return");
  ExpectEndsWith255();
}

TEST_F(ErrorBoxTest, ALongMessageWrapsAtHalfTheScreen) {
  const std::string folder = "/nonexistent/" + std::string(40, 'a') + "/" + std::string(40, 'b') + "/" +
                             std::string(40, 'c') + "/" + std::string(40, 'd');
  StartWithBox({folder, "adresati.db", ScreenshotFolder() + "/never.txt"}, "error_box_long");
  const auto box = GeometryOf(box_);
  ASSERT_TRUE(box.has_value());
  // Text at most half the screen, beside the sign and within the margins.
  EXPECT_LE(box->width, display_.ScreenWidth() / 2 + 12 + 32 + 12 + 12);
  EXPECT_GT(box->width, display_.ScreenWidth() / 2 - 100) << "wrapped far too early";
  EXPECT_GT(box->height, 100) << "three lines at least";
  RunShell("timeout 10 xdotool key Escape");
  ExpectEndsWith255();
}

// The export with its window shown writes what it writes without one.
TEST(WindowedExport, SameFileAsHeadless) {
  const std::string table = MERIVAN_SHARED_DIR "/tables/paradox";
  if (!std::ifstream(table + "/CONTACTS.DB")) GTEST_SKIP() << "no shared tables";
  const std::string folder = ScreenshotFolder();
  ChildProcess windowed({MERIVAN_PROGRAM, table, "CONTACTS.DB", folder + "/windowed.txt"}, kCzechUser,
                        folder + "/windowed.stderr");
  EXPECT_EQ(windowed.Wait(120s).value_or(-100), 0) << testing::ReadFile(folder + "/windowed.stderr");
  std::vector<std::string> headless = kCzechUser;
  headless.push_back("DISPLAY");
  ChildProcess plain({MERIVAN_PROGRAM, table, "CONTACTS.DB", folder + "/headless.txt"}, headless,
                     folder + "/headless.stderr");
  EXPECT_EQ(plain.Wait(120s).value_or(-100), 0) << testing::ReadFile(folder + "/headless.stderr");
  const std::string written = testing::ReadFile(folder + "/windowed.txt");
  EXPECT_FALSE(written.empty());
  EXPECT_EQ(written, testing::ReadFile(folder + "/headless.txt"));
}

// A server that takes the connection and never answers: the program gives
// it about a second, then runs without a window.
TEST(SilentDisplay, TheProgramGoesHeadless) {
  SilentServer server;
  ASSERT_TRUE(server.Listening());
  std::vector<std::string> environment = kCzechUser;
  environment.push_back("DISPLAY=" + server.DisplayName());
  const std::string errors = ScreenshotFolder() + "/silent.stderr";
  const auto started = std::chrono::steady_clock::now();
  ChildProcess program({MERIVAN_PROGRAM}, environment, errors);
  const auto status = program.Wait(15s);
  const auto took = std::chrono::steady_clock::now() - started;
  ASSERT_TRUE(status.has_value()) << "hung on the silent display";
  EXPECT_EQ(*status, 255);
  EXPECT_GE(took, 900ms);
  EXPECT_LT(took, 8s);
  EXPECT_NE(testing::ReadFile(errors).find("Adresati.db"), std::string::npos) << "the message went to stderr";
}

}  // namespace
}  // namespace merivan::x11test

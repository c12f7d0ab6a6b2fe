// The main window and its gauge on a real X server, driven by
// x11_window_driver: pixels from screenshots, geometry, properties, and
// close requests that change nothing.
#include <gtest/gtest.h>

#include <fstream>
#include <thread>

#include "merivan/platform/window/x11/gauge_picture.h"
#include "merivan/platform/window/x11/main_window.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"
#include "tests/x11/driver_fixture.h"
#include "tests/x11/x_probe.h"

namespace merivan::x11test {
namespace {

using namespace std::chrono_literals;
using testing::ChildProcess;
using testing::RunShell;
namespace x11 = platform::x11;

constexpr int kGaugeWidth = 481;
constexpr int kGaugeHeight = 25;

class GaugeWindowTest : public DriverFixture {
 protected:
  void Paint(int percent) {
    driver_->WriteLine("paint " + std::to_string(percent));
    const auto answer = driver_->ReadLine(10s);
    ASSERT_EQ(answer.value_or("none"), "painted " + std::to_string(percent));
  }

  // The gauge's part of a screenshot of the client area.
  RgbImage GaugeShot(const std::string& name) {
    auto shot = Screenshot(window_, ScreenshotFolder() + "/" + name + ".png");
    EXPECT_TRUE(shot.has_value());
    RgbImage gauge(kGaugeWidth, kGaugeHeight, 0);
    if (!shot || shot->width != x11::kClientWidth || shot->height != x11::kClientHeight) {
      ADD_FAILURE() << "screenshot of the wrong size";
      return gauge;
    }
    for (int y = 0; y < kGaugeHeight; ++y)
      for (int x = 0; x < kGaugeWidth; ++x) gauge.At(x, y) = shot->At(x + 8, y + 8);
    return gauge;
  }
};

TEST_F(GaugeWindowTest, GaugePixelsOnTheScreen) {
  auto font = x11::MonoFont::Open(x11::kGaugeFontFamily, x11::kGaugeFontPixels);
  ASSERT_TRUE(font.has_value());
  for (int percent : {0, 1, 5, 20, 25, 42, 100}) {
    SCOPED_TRACE(std::to_string(percent) + " %");
    Paint(percent);
    const RgbImage gauge = GaugeShot("gauge_" + std::to_string(percent));
    const int fill = x11::GaugeFillWidth(480, percent);
    const RgbImage text = x11::GaugeTextImage(kGaugeWidth, kGaugeHeight, percent, &*font);
    int textLeft = kGaugeWidth, textRight = -1;
    for (int y = 0; y < kGaugeHeight; ++y)
      for (int x = 0; x < kGaugeWidth; ++x)
        if (text.At(x, y)) textLeft = std::min(textLeft, x), textRight = std::max(textRight, x);
    ASSERT_GE(textRight, 0);

    for (int y = 0; y < kGaugeHeight; ++y) {
      for (int x = 0; x < kGaugeWidth; ++x) {
        const uint32_t pixel = gauge.At(x, y);
        // Black and white only, the text region included.
        ASSERT_TRUE(pixel == x11::kBlack || pixel == x11::kWhite) << x << "," << y << ": " << std::hex << pixel;
        const bool frame = x == 0 || y == 0 || x == kGaugeWidth - 1 || y == kGaugeHeight - 1;
        if (frame) {
          ASSERT_EQ(pixel, x11::kBlack) << "frame at " << x << "," << y;
        } else if (x < textLeft || x > textRight) {
          // Outside the text: bar columns 1 .. F-1 black, the rest white.
          ASSERT_EQ(pixel, x < fill ? x11::kBlack : x11::kWhite) << x << "," << y;
        }
      }
    }
    // The text region is the bar and the inside combined with the text by
    // exclusive or, pixel for pixel as composed off screen.
    EXPECT_EQ(gauge.pixels, x11::ComposeGaugePicture(kGaugeWidth, kGaugeHeight, percent, &*font).pixels);
  }
}

TEST_F(GaugeWindowTest, ButtonFaceAroundTheGauge) {
  Paint(42);
  const auto shot = Screenshot(window_, ScreenshotFolder() + "/window_42.png");
  ASSERT_TRUE(shot.has_value());
  for (auto [x, y] : {std::pair{0, 0}, {7, 7}, {492, 34}, {489, 20}, {100, 33}, {100, 4}})
    EXPECT_EQ(shot->At(x, y), x11::kButtonFace) << x << "," << y;
}

TEST_F(GaugeWindowTest, AnUnchangedPictureIsNotCopiedAgain) {
  Paint(42);
  // Someone else's ink over the gauge stays while the percentage stays, and
  // goes with the next percentage.
  display_.Scribble(window_, 8 + 300, 8 + 5, 20, 10, 0xFF0000);
  Paint(42);
  EXPECT_EQ(GaugeShot("scribbled_42").At(305, 10), 0xFF0000u);
  Paint(43);
  EXPECT_EQ(GaugeShot("repainted_43").At(305, 10), x11::kWhite);
}

TEST_F(GaugeWindowTest, SizePositionAndProperties) {
  const auto geometry = GeometryOf(window_);
  ASSERT_TRUE(geometry.has_value());
  EXPECT_TRUE(geometry->viewable);
  EXPECT_EQ(geometry->width, 493);
  EXPECT_EQ(geometry->height, 35);
  const auto frame = FrameExtentsOf(window_);
  ASSERT_TRUE(frame.has_value()) << "the window manager set no frame extents";
  EXPECT_GT(frame->top, 0) << "a title bar";
  const int outerWidth = 493 + frame->left + frame->right;
  const int outerHeight = 35 + frame->top + frame->bottom;
  EXPECT_EQ(geometry->x - frame->left, (display_.ScreenWidth() - outerWidth) / 2);
  EXPECT_EQ(geometry->y - frame->top, (display_.ScreenHeight() - outerHeight) / 2);

  const std::string caption = "\"P\xC5\x99\xC3\xADprava adres\xC3\xA1\xC5\x99" "e pro import\"";
  EXPECT_EQ(Property(window_, "_NET_WM_NAME"), "_NET_WM_NAME(UTF8_STRING) = " + caption + "\n");
  EXPECT_EQ(Property(window_, "WM_NAME"), "WM_NAME(COMPOUND_TEXT) = " + caption + "\n");
  EXPECT_EQ(Property(window_, "WM_CLASS"), "WM_CLASS(STRING) = \"x11_window_driver\", \"x11_window_driver\"\n");
  const std::string sizes = Property(window_, "WM_NORMAL_HINTS");
  EXPECT_NE(sizes.find("minimum size: 493 by 35"), std::string::npos) << sizes;
  EXPECT_NE(sizes.find("maximum size: 493 by 35"), std::string::npos) << sizes;
  EXPECT_EQ(Property(window_, "_NET_WM_WINDOW_TYPE"), "_NET_WM_WINDOW_TYPE(ATOM) = _NET_WM_WINDOW_TYPE_DIALOG\n");
  // Functions: move only; decorations: border and title, no menu or buttons.
  EXPECT_EQ(Property(window_, "_MOTIF_WM_HINTS"), "_MOTIF_WM_HINTS(_MOTIF_WM_HINTS) = 0x3, 0x4, 0xa, 0x0, 0x0\n");
  EXPECT_NE(Property(window_, "_NET_WM_ICON").find("Icon (16 x 16)"), std::string::npos);
  EXPECT_NE(Property(window_, "WM_PROTOCOLS").find("WM_DELETE_WINDOW"), std::string::npos);
}

TEST_F(GaugeWindowTest, CloseRequestsAreIgnored) {
  Paint(10);
  display_.SendCloseRequest(window_);
  // Alt+F4 through the window manager as well.
  RunShell("timeout 10 xdotool windowactivate " + std::to_string(window_) + " 2>/dev/null; sleep 0.2; "
           "timeout 10 xdotool key alt+F4");
  Paint(11);
  std::this_thread::sleep_for(200ms);
  Paint(12);
  EXPECT_FALSE(driver_->Wait(0ms).has_value()) << "the driver ended";
  const auto geometry = GeometryOf(window_);
  ASSERT_TRUE(geometry.has_value());
  EXPECT_TRUE(geometry->viewable);
}

// Far more text than the screen holds: the box keeps to the screen, so OK
// can still be reached, and Enter closes it.
TEST_F(GaugeWindowTest, AHugeMessageStaysOnTheScreen) {
  std::string text;
  for (int i = 0; i < 20000; ++i) text += "word" + std::to_string(i) + " ";
  driver_->WriteLine("error " + text);
  const auto box = FindWindowNamed("^Error$", 20s, driver_->Pid());
  ASSERT_TRUE(box.has_value());
  WaitUntilFocused(*box, 2s);
  const auto geometry = GeometryOf(*box);
  ASSERT_TRUE(geometry.has_value());
  EXPECT_LE(geometry->height, display_.ScreenHeight());
  EXPECT_GE(geometry->y, 0);
  ASSERT_TRUE(Screenshot(*box, ScreenshotFolder() + "/error_box_huge.png").has_value());
  RunShell("timeout 10 xdotool key Return");
  EXPECT_EQ(driver_->ReadLine(10s).value_or("none"), "closed");
}

// With no font at all the gauge shows no text and the box no message, which
// then goes to stderr; nothing fails.
TEST(NoFonts, TheBoxStillClosesAndTheMessageGoesToStderr) {
  const std::string folder = ScreenshotFolder();
  std::ofstream(folder + "/no-fonts.conf") << "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n";
  ChildProcess driver({X11_WINDOW_DRIVER}, {"FONTCONFIG_FILE=" + folder + "/no-fonts.conf"},
                      folder + "/no-fonts.stderr");
  ASSERT_TRUE(driver.Started());
  const auto first = driver.ReadLine(15s);
  ASSERT_TRUE(first && first->rfind("window ", 0) == 0) << testing::ReadFile(folder + "/no-fonts.stderr");
  driver.WriteLine("paint 50");
  EXPECT_EQ(driver.ReadLine(10s).value_or("none"), "painted 50");
  driver.WriteLine("error nothing to read it with");
  const auto box = FindWindowNamed("^Error$", 20s, driver.Pid());
  ASSERT_TRUE(box.has_value()) << testing::ReadFile(folder + "/no-fonts.stderr");
  WaitUntilFocused(*box, 2s);
  RunShell("timeout 10 xdotool key Return");
  EXPECT_EQ(driver.ReadLine(10s).value_or("none"), "closed");
  driver.WriteLine("quit");
  EXPECT_EQ(driver.Wait(5s), 0);
  EXPECT_NE(testing::ReadFile(folder + "/no-fonts.stderr").find("nothing to read it with"), std::string::npos);
}

}  // namespace
}  // namespace merivan::x11test

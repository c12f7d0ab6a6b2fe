// gtest first: Xlib's macros (None, Bool) would break its templates.
#include <gtest/gtest.h>

#include <set>

#include "merivan/platform/window/x11/gauge_picture.h"

namespace merivan::platform::x11 {
namespace {

constexpr int kWidth = 481;
constexpr int kHeight = 25;

TEST(GaugeFillWidth, ExtendedPrecisionValuesOfTheLayout) {
  struct Case {
    int percent;
    int fill;
  };
  for (const Case& c : {Case{0, 0}, Case{1, 4}, Case{5, 23}, Case{10, 47}, Case{20, 95}, Case{25, 120}, Case{33, 158},
                        Case{42, 201}, Case{50, 240}, Case{99, 475}, Case{100, 480}}) {
    EXPECT_EQ(GaugeFillWidth(480, c.percent), c.fill) << c.percent << " %";
  }
}

TEST(GaugeFillWidth, OneShortExactlyWhereTheRoundedHundredthFallsBelow) {
  std::set<int> shortOnes;
  for (int p = 0; p <= 100; ++p) {
    const int exact = 480 * p / 100;
    const int fill = GaugeFillWidth(480, p);
    if (480 * p % 100 == 0 && fill == exact - 1) shortOnes.insert(p);
    else EXPECT_EQ(fill, exact) << p << " %";
  }
  EXPECT_EQ(shortOnes, (std::set<int>{5, 10, 15, 20, 30, 40, 60, 80, 85}));
}

TEST(GaugeFillWidth, NeverWiderThanTheInside) {
  EXPECT_EQ(GaugeFillWidth(480, 150), 480);
  EXPECT_EQ(GaugeFillWidth(3, 100), 3);
}

TEST(GaugeText, PercentSign) {
  EXPECT_EQ(GaugeText(0), "0%");
  EXPECT_EQ(GaugeText(42), "42%");
  EXPECT_EQ(GaugeText(100), "100%");
}

class GaugePictureTest : public ::testing::TestWithParam<int> {
 protected:
  static void SetUpTestSuite() {
    font_ = std::make_unique<std::optional<MonoFont>>(MonoFont::Open(kGaugeFontFamily, kGaugeFontPixels));
  }
  static void TearDownTestSuite() { font_.reset(); }
  MonoFont* Font() { return font_->has_value() ? &**font_ : nullptr; }
  static std::unique_ptr<std::optional<MonoFont>> font_;
};
std::unique_ptr<std::optional<MonoFont>> GaugePictureTest::font_;

// The picture before the text: black frame, white inside, bar columns 1..F-1.
uint32_t BasePixel(int x, int y, int fill) {
  if (x == 0 || y == 0 || x == kWidth - 1 || y == kHeight - 1) return kBlack;
  return x < fill ? kBlack : kWhite;
}

TEST_P(GaugePictureTest, FrameInsideBarAndXorText) {
  ASSERT_NE(Font(), nullptr) << "no font for " << kGaugeFontFamily;
  EXPECT_NE(Font()->File().find("DejaVuSans"), std::string::npos) << Font()->File();
  const int percent = GetParam();
  const int fill = GaugeFillWidth(480, percent);
  const RgbImage picture = ComposeGaugePicture(kWidth, kHeight, percent, Font());
  const RgbImage text = GaugeTextImage(kWidth, kHeight, percent, Font());
  ASSERT_EQ(picture.width, kWidth);
  ASSERT_EQ(picture.height, kHeight);

  int minX = kWidth, maxX = -1, minY = kHeight, maxY = -1;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const uint32_t t = text.At(x, y);
      ASSERT_TRUE(t == kBlack || t == kWhite) << x << "," << y;
      if (t == kWhite) {
        minX = std::min(minX, x), maxX = std::max(maxX, x);
        minY = std::min(minY, y), maxY = std::max(maxY, y);
      }
      ASSERT_EQ(picture.At(x, y), BasePixel(x, y, fill) ^ t) << x << "," << y << " at " << percent << " %";
    }
  }
  // The text is there, inside the frame, centred on the inside (x and y
  // within a few pixels: the cell is centred, the ink need not be).
  ASSERT_GE(maxX, 0) << "no text drawn";
  EXPECT_GE(minX, 1);
  EXPECT_LE(maxX, kWidth - 2);
  EXPECT_GE(minY, 1);
  EXPECT_LE(maxY, kHeight - 2);
  EXPECT_NEAR((minX + maxX) / 2.0, 240.0, 3.0);
  EXPECT_NEAR((minY + maxY) / 2.0, 12.0, 3.0);
  EXPECT_LE(maxY - minY + 1, 11) << "taller than the 11-pixel font";
  const int textWidth = Font()->TextWidth(GaugeText(percent));
  EXPECT_LE(maxX - minX + 1, textWidth);
}

INSTANTIATE_TEST_SUITE_P(Percentages, GaugePictureTest, ::testing::Values(0, 1, 5, 20, 25, 42, 100));

TEST(GaugePicture, WithoutAFontOnlyFrameAndBar) {
  const RgbImage picture = ComposeGaugePicture(kWidth, kHeight, 25, nullptr);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) ASSERT_EQ(picture.At(x, y), BasePixel(x, y, 120)) << x << "," << y;
}

TEST(MonoFont, ElevenPixelCellOfDejaVuSans) {
  auto font = MonoFont::Open(kGaugeFontFamily, kGaugeFontPixels);
  ASSERT_TRUE(font.has_value());
  // DejaVu Sans: ascender 1901/2048 and descender 483/2048 of the em, rounded outwards.
  EXPECT_EQ(font->Ascent(), 11);
  EXPECT_EQ(font->TextHeight(), 14);
  EXPECT_GT(font->TextWidth("100%"), font->TextWidth("0%"));
}

}  // namespace
}  // namespace merivan::platform::x11

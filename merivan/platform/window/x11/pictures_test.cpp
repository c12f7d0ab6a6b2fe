#include <gtest/gtest.h>

#include <cstdlib>

#include "merivan/platform/window/x11/entry_dialog.h"
#include "merivan/platform/window/x11/error_box.h"
#include "merivan/platform/window/x11/icons.h"
#include "merivan/platform/window/x11/window_hints.h"

namespace merivan::platform::x11 {
namespace {

TEST(TaskbarName, FileNameCutAtTheFirstDotRestLowerCase) {
  EXPECT_EQ(TaskbarName("/usr/local/bin/merivan"), "merivan");
  EXPECT_EQ(TaskbarName("MERIVAN.EXE"), "Merivan");
  EXPECT_EQ(TaskbarName("./build/MeriVan.tar.gz"), "Merivan");
  EXPECT_EQ(TaskbarName("merivan_tests"), "merivan_tests");
  EXPECT_EQ(TaskbarName("/opt/x.y/.hidden"), "");
  EXPECT_EQ(TaskbarName(""), "");
  // A backslash separates nothing in a Linux path.
  EXPECT_EQ(TaskbarName("C:\\Apps\\MERIVAN.EXE"), "C:\\apps\\merivan");
}

TEST(CentredOrigin, HalfTheRestAtLeastZero) {
  EXPECT_EQ(CentredOrigin(1024, 768, 499, 61).x, 262);
  EXPECT_EQ(CentredOrigin(1024, 768, 499, 61).y, 353);
  EXPECT_EQ(CentredOrigin(400, 30, 499, 61).x, 0);
  EXPECT_EQ(CentredOrigin(400, 30, 499, 61).y, 0);
  EXPECT_EQ(CentredOrigin(101, 101, 100, 100).x, 0);
}

TEST(ProgramIcon, SixteenSquareOfAtMostSixteenColours) {
  const std::vector<unsigned long> icon = ProgramIconProperty();
  ASSERT_EQ(icon.size(), 2u + 16 * 16);
  EXPECT_EQ(icon[0], 16u);
  EXPECT_EQ(icon[1], 16u);
  std::vector<unsigned long> colours;
  for (size_t i = 2; i < icon.size(); ++i) {
    const unsigned long alpha = icon[i] >> 24;
    EXPECT_TRUE(alpha == 0 || alpha == 0xFF);
    if (std::find(colours.begin(), colours.end(), icon[i]) == colours.end()) colours.push_back(icon[i]);
  }
  EXPECT_LE(colours.size(), 16u);
  EXPECT_GE(colours.size(), 4u) << "a picture, not a blank";
}

TEST(ErrorSign, RedDiscWhiteCrossOnTheBackground) {
  constexpr uint32_t face = 0xD4D0C8;
  const RgbImage sign = ErrorSign(32, face);
  EXPECT_EQ(sign.At(0, 0), face);
  EXPECT_EQ(sign.At(31, 31), face);
  EXPECT_EQ(sign.At(16, 16), 0xFFFFFFu) << "the cross meets in the middle";
  const uint32_t red = sign.At(16, 4);
  EXPECT_GT(red >> 16, 0xC0u);
  EXPECT_LT((red >> 8) & 0xFF, 0x40u);
}

TEST(ErrorBoxLayout, SizedToTheTextWithTheButtonCentredBelow) {
  const ErrorBoxLayout wide = LayOutErrorBox(400, 3, 15);
  EXPECT_EQ(wide.sign.left, 12);
  EXPECT_EQ(wide.sign.top, 12);
  EXPECT_EQ(wide.textLeft, 12 + 32 + 12);
  EXPECT_EQ(wide.width, wide.textLeft + 400 + 12);
  EXPECT_EQ(wide.button.right - wide.button.left, 75);
  EXPECT_LE(std::abs(wide.button.left + wide.button.right - wide.width), 1) << "centred";
  EXPECT_EQ(wide.button.top, 12 + 45 + 12);
  EXPECT_EQ(wide.height, wide.button.bottom + 12);

  // One short line: level with the sign; the box never narrower than OK.
  const ErrorBoxLayout tiny = LayOutErrorBox(10, 1, 15);
  EXPECT_EQ(tiny.width, 75 + 24);
  EXPECT_EQ(tiny.textTop, 12 + (32 - 15) / 2);
  EXPECT_EQ(tiny.button.top, 12 + 32 + 12);
  EXPECT_EQ(ErrorBoxTextLimit(1024), 512);
}

TEST(EntryDialogLayout, FieldsBelowTheMessageButtonsBottomRight) {
  const EntryDialogLayout login = LayOutEntryDialog(2, 15, 2);
  ASSERT_EQ(login.fields.size(), 2u);
  EXPECT_GT(login.fields[0].top, login.messageTop + 2 * 15);
  EXPECT_GT(login.fields[1].top, login.fields[0].bottom);
  EXPECT_GT(login.fields[0].left, login.labelLeft) << "room for the label";
  EXPECT_EQ(login.cancel.right, login.width - 12);
  EXPECT_LT(login.ok.right, login.cancel.left);
  EXPECT_EQ(login.ok.bottom - login.ok.top, 23);
  EXPECT_GT(login.ok.top, login.fields[1].bottom);
  EXPECT_EQ(login.height, login.ok.bottom + 12);
  // One field less, one line less: the same rules, a lower dialog.
  EXPECT_LT(LayOutEntryDialog(1, 15, 1).height, login.height);
}

}  // namespace
}  // namespace merivan::platform::x11

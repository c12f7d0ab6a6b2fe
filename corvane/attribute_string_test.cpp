#include "corvane/attribute_string.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

std::string whole(const AttributeString& attributes) {
  return std::string(attributes.data(), AttributeString::kSize);
}

TEST(AttributeString, StartsWithDsnAndIsNulFilledToTheEnd) {
  AttributeString attributes;
  EXPECT_EQ(whole(attributes), "DSN=" + std::string(AttributeString::kSize - 4, '\0'));
  ASSERT_TRUE(attributes.append("Sales"));
  ASSERT_TRUE(attributes.append(";"));
  EXPECT_EQ(whole(attributes), "DSN=Sales;" + std::string(AttributeString::kSize - 10, '\0'));
  EXPECT_EQ(attributes.length(), 10u);
}

TEST(AttributeString, AcceptsUpTo1022BytesAndRefusesMore) {
  struct Case {
    std::size_t appended;
    bool fits;
  };
  for (const Case c : {Case{1018, true}, Case{1019, false}, Case{5000, false}}) {
    AttributeString attributes;
    const std::string text(c.appended, 'a');
    EXPECT_EQ(attributes.append(text.c_str()), c.fits) << c.appended;
    const std::string expected = c.fits ? "DSN=" + text : "DSN=";
    EXPECT_EQ(whole(attributes), expected + std::string(AttributeString::kSize - expected.size(), '\0'))
        << c.appended;
  }
}

TEST(AttributeString, ARefusedAppendLeavesTheEarlierTextAndTheEndingNuls) {
  AttributeString attributes;
  ASSERT_TRUE(attributes.append(std::string(1000, 'n').c_str()));
  EXPECT_FALSE(attributes.append(std::string(19, 'z').c_str()));
  EXPECT_TRUE(attributes.append(std::string(18, 'z').c_str()));
  EXPECT_EQ(attributes.length(), AttributeString::kMaxText);
  EXPECT_EQ(attributes.data()[1022], '\0');
  EXPECT_EQ(attributes.data()[1023], '\0');
}

}  // namespace
}  // namespace corvane

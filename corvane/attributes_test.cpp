#include "corvane/attributes.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace corvane {
namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

Pairs scan(const std::string& list) {
  AttributeListScanner scanner(list.data(), list.size());
  Pairs pairs;
  while (scanner.next()) pairs.emplace_back(scanner.key(), scanner.value());
  return pairs;
}

struct ScanCase {
  const char* what;
  std::string list;
  Pairs pairs;
};

TEST(AttributeListScanner, YieldsThePutsOfTheScanInListOrder) {
  using namespace std::string_literals;
  const std::vector<ScanCase> cases = {
      {"two entries", "A=1\0B=2\0\0"s, {{"A", "1"}, {"B", "2"}}},
      {"several '=': key between the last two", "P=Q=R\0\0"s, {{"Q", "R"}}},
      {"entry without '=' replaces the last key's value", "X=1\0Y\0\0"s, {{"X", "1"}, {"X", "Y"}}},
      {"empty value", "K=\0\0"s, {{"K", ""}}},
      {"empty key", "=V\0\0"s, {{"", "V"}}},
      {"same key twice, later wins in the map", "A=1\0A=2\0\0"s, {{"A", "1"}, {"A", "2"}}},
      {"empty list", "\0\0"s, {}},
      {"first entry without '=' has no key", "Y\0A=1\0\0"s, {{"A", "1"}}},
      {"bytes after the double NUL are not read", "A=1\0\0B=2\0\0"s, {{"A", "1"}}},
      {"real driver list", "Description=SQLite3\0Driver=/usr/lib/odbc.so\0Setup=s.so\0\0"s,
       {{"Description", "SQLite3"}, {"Driver", "/usr/lib/odbc.so"}, {"Setup", "s.so"}}},
  };
  for (const ScanCase& c : cases) EXPECT_EQ(scan(c.list), c.pairs) << c.what;
}

TEST(AttributeListScanner, StopsAtTheBufferEndWhenTheDoubleNulIsMissing) {
  // A list cut by the driver manager: no ending NUL at all inside the buffer.
  const std::string cut = std::string("A=1") + '\0' + "B=23";
  const Pairs pairs = scan(cut);
  EXPECT_EQ(pairs, (Pairs{{"A", "1"}, {"B", "23"}}));
}

TEST(AttributeListScanner, CutsPiecesLongerThanItsBuffers) {
  const std::string longKey(3000, 'k');
  const std::string longValue(3000, 'v');
  const std::string list = longKey + "=" + longValue + std::string(2, '\0');
  const Pairs pairs = scan(list);
  ASSERT_EQ(pairs.size(), 1u);
  EXPECT_EQ(pairs[0].first, longKey.substr(0, AttributeListScanner::kPieceSize - 1));
  EXPECT_EQ(pairs[0].second, longValue.substr(0, AttributeListScanner::kPieceSize - 1));
}

TEST(AttributeListScanner, AFullBufferWithoutNulIsReadOnlyWithinIt) {
  // Exactly sized heap copy, so that a read past its end is caught by ASan.
  const std::vector<char> full(1024, 'x');
  AttributeListScanner scanner(full.data(), full.size());
  EXPECT_FALSE(scanner.next());  // no "=": no key for the single cut value
}

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

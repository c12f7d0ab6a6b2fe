#include "merivan/field_list.h"

#include <gtest/gtest.h>

namespace merivan {
namespace {

using Names = std::vector<std::string>;

TEST(ParseFieldList, Items) {
  struct Case {
    std::string list;
    Names names;
  } cases[] = {
      {"", {}},
      {"   \t", {}},
      {"Jmeno", {"Jmeno"}},
      {"Jmeno,Prijmeni", {"Jmeno", "Prijmeni"}},
      {"  Jmeno , Prijmeni\t,Mesto  ", {"Jmeno", "Prijmeni", "Mesto"}},
      {"a b\tc", {"a", "b", "c"}},
      {"a,a", {"a", "a"}},
      {",a", {"", "a"}},
      {"a,,b", {"a", "", "b"}},
      {"a, ,b", {"a", "", "b"}},
      {"a,", {"a"}},
      {"a, ", {"a"}},
      {",", {""}},
      {",,", {"", ""}},
      {"\"Moje pole, druh\u00e9\",b", {"Moje pole, druh\u00e9", "b"}},
      {"\"say \"\"hi\"\"\"", {"say \"hi\""}},
      {"\"\"", {""}},
      {"\"a\tb\r\n,c\x01\",d", {"a\tb\r\n,c\x01", "d"}},
      {"\"\",\"\"", {"", ""}},
      {"\"x\" , \"y\"", {"x", "y"}},
      {"\x01\x1f" "a\x01" "b", {"a", "b"}},
      {"\"a\"b", {"a", "b"}},
      {"a\"b", {"a\"b"}},
      {"\"open, to the end", {"open, to the end"}},
      {"\"ends with quote\"\"", {"ends with quote\""}},
      {std::string("a,b\0c", 5), {"a", "b"}},
      {"\xE8" "\xED" "slo,\xF8" "ada", {"\xE8\xEDslo", "\xF8" "ada"}},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseFieldList(c.list), c.names) << c.list;
}

}  // namespace
}  // namespace merivan

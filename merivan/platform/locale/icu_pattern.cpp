#include "merivan/platform/locale/icu_pattern.h"

#include <unicode/uchar.h>

#include <vector>

namespace merivan::platform {

namespace {

bool IsPatternLetter(UChar32 c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Invisible direction marks and spaces of other widths.
bool IsFormatChar(UChar32 c) { return u_charType(c) == U_FORMAT_CHAR; }
bool IsSpace(UChar32 c) { return u_isUWhiteSpace(c); }

// One piece of a pattern: a field (letter and run length) or literal text.
struct Piece {
  UChar32 letter = 0;  // 0 for literal text
  int count = 0;
  icu::UnicodeString text;
};

std::vector<Piece> Split(const icu::UnicodeString& pattern) {
  std::vector<Piece> pieces;
  auto literal = [&pieces]() -> icu::UnicodeString& {
    if (pieces.empty() || pieces.back().letter != 0) pieces.push_back({});
    return pieces.back().text;
  };
  const int32_t length = pattern.length();
  int32_t i = 0;
  while (i < length) {
    const UChar32 c = pattern.char32At(i);
    if (c == '\'') {
      if (i + 1 < length && pattern.charAt(i + 1) == '\'') {
        literal().append(static_cast<UChar>('\''));
        i += 2;
        continue;
      }
      // Quoted text, with '' inside standing for one quote.
      ++i;
      while (i < length) {
        if (pattern.charAt(i) == '\'') {
          if (i + 1 < length && pattern.charAt(i + 1) == '\'') {
            literal().append(static_cast<UChar>('\''));
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        literal().append(pattern.charAt(i));
        ++i;
      }
      continue;
    }
    if (IsPatternLetter(c)) {
      int count = 0;
      while (i < length && pattern.charAt(i) == c) {
        ++count;
        ++i;
      }
      pieces.push_back({c, count, {}});
      continue;
    }
    literal().append(c);
    i += U16_LENGTH(c);
  }
  return pieces;
}

void AppendUtf8(std::string& out, UChar32 c) {
  icu::UnicodeString one(c);
  one.toUTF8String(out);
}

// Literal text in the target language: ASCII letters quoted, quote
// characters protected by the other kind, marks dropped, blanks plain.
void AppendLiteral(std::string& out, const icu::UnicodeString& text) {
  bool quoted = false;
  for (int32_t i = 0; i < text.length(); i += U16_LENGTH(text.char32At(i))) {
    const UChar32 c = text.char32At(i);
    if (IsFormatChar(c)) continue;
    const bool letter = IsPatternLetter(c);
    if (letter != quoted) {
      out += '\'';
      quoted = letter;
    }
    if (c == '\'')
      out += "\"'\"";
    else if (c == '"')
      out += "'\"'";
    else if (IsSpace(c))
      out += ' ';
    else
      AppendUtf8(out, c);
  }
  if (quoted) out += '\'';
}

void AppendField(std::string& out, UChar32 letter, int n) {
  switch (letter) {
    case 'y': case 'Y': case 'u': case 'r':
      out += n == 2 ? "yy" : "yyyy";
      break;
    case 'M': case 'L':
      out.append(n == 5 ? 3 : n > 4 ? 4 : n, 'M');
      break;
    case 'd':
      out.append(n >= 2 ? 2 : 1, 'd');
      break;
    case 'E': case 'c': case 'e':
      out += n == 4 ? "dddd" : "ddd";
      break;
    case 'G':
      out += n == 5 ? "g" : "gg";
      break;
    case 'H': case 'k': case 'h': case 'K':
      out.append(n >= 2 ? 2 : 1, 'h');
      break;
    case 'm':
      out += n >= 2 ? "nn" : "n";
      break;
    case 's':
      out.append(n >= 2 ? 2 : 1, 's');
      break;
    case 'a': case 'b': case 'B':
      out += "AMPM";
      break;
    default:
      break;  // quarters, weeks, zones, fractions: not in this language
  }
}

std::string TrimmedUtf8(const icu::UnicodeString& text) {
  std::string out;
  for (int32_t i = 0; i < text.length(); i += U16_LENGTH(text.char32At(i))) {
    const UChar32 c = text.char32At(i);
    if (!IsFormatChar(c) && !IsSpace(c)) AppendUtf8(out, c);
  }
  return out;
}

}  // namespace

std::string ConvertIcuDatePattern(const icu::UnicodeString& pattern) {
  std::string out;
  for (const Piece& piece : Split(pattern)) {
    if (piece.letter == 0)
      AppendLiteral(out, piece.text);
    else
      AppendField(out, piece.letter, piece.count);
  }
  return out;
}

TimePatternFacts AnalyzeIcuTimePattern(const icu::UnicodeString& pattern) {
  TimePatternFacts facts;
  bool markerSeen = false;
  bool hourSeen = false;
  bool afterHour = false;
  for (const Piece& piece : Split(pattern)) {
    const UChar32 c = piece.letter;
    if (c == 'a' || c == 'b' || c == 'B') {
      if (!hourSeen) markerSeen = true;
    } else if (c == 'H' || c == 'k' || c == 'h' || c == 'K') {
      hourSeen = true;
      afterHour = true;
      facts.itime = c == 'H' || c == 'k' ? 1 : 0;
      facts.itlzero = piece.count >= 2 ? 1 : 0;
      facts.itimemarkposn = markerSeen ? 1 : 0;
      continue;
    } else if (c == 0 && afterHour && facts.separator.empty()) {
      facts.separator = TrimmedUtf8(piece.text);
    }
    afterHour = false;
  }
  return facts;
}

std::string DateSeparatorOf(const icu::UnicodeString& pattern) {
  bool fieldSeen = false;
  for (const Piece& piece : Split(pattern)) {
    if (piece.letter != 0) {
      fieldSeen = true;
    } else if (fieldSeen) {
      return TrimmedUtf8(piece.text);
    }
  }
  return "";
}

}  // namespace merivan::platform

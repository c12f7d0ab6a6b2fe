#include "merivan/platform/window/x11/word_wrap.h"

namespace merivan::platform::x11 {

namespace {

// Length of the UTF-8 sequence starting with `lead`.
size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

// Splits a word that is too wide by itself into pieces that fit.
void BreakWord(std::string_view word, int maxWidth, const TextMeasure& measure, std::vector<std::string>& lines) {
  std::string piece;
  for (size_t i = 0; i < word.size();) {
    const size_t n = std::min(SequenceLength(static_cast<unsigned char>(word[i])), word.size() - i);
    const std::string wider = piece + std::string(word.substr(i, n));
    if (!piece.empty() && measure(wider) > maxWidth) {
      lines.push_back(piece);
      piece = std::string(word.substr(i, n));
    } else {
      piece = wider;
    }
    i += n;
  }
  lines.push_back(piece);
}

void WrapParagraph(std::string_view text, int maxWidth, const TextMeasure& measure, std::vector<std::string>& lines) {
  std::string line;
  bool open = false;     // the line has something (blanks count) to append to
  bool broken = false;   // a line was broken: blanks at the start of the next are dropped
  for (size_t pos = 0; pos != std::string_view::npos;) {
    const size_t blank = text.find(' ', pos);
    const std::string_view word = text.substr(pos, blank == std::string_view::npos ? blank : blank - pos);
    pos = blank == std::string_view::npos ? blank : blank + 1;
    if (!open && broken && word.empty()) continue;
    const std::string candidate = open ? line + ' ' + std::string(word) : std::string(word);
    if (measure(candidate) <= maxWidth) {
      line = candidate;
      open = true;
      continue;
    }
    if (open) {
      while (!line.empty() && line.back() == ' ') line.pop_back();
      lines.push_back(line);
      line.clear();
      open = false;
      broken = true;
    }
    if (word.empty()) continue;
    BreakWord(word, maxWidth, measure, lines);
    line = lines.back();
    lines.pop_back();
    open = true;
  }
  lines.push_back(line);
}

}  // namespace

std::vector<std::string> WrapText(std::string_view utf8, int maxWidth, const TextMeasure& measure) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (;;) {
    const size_t newline = utf8.find('\n', start);
    std::string_view paragraph = utf8.substr(start, newline == std::string_view::npos ? std::string_view::npos : newline - start);
    if (!paragraph.empty() && paragraph.back() == '\r') paragraph.remove_suffix(1);
    WrapParagraph(paragraph, maxWidth, measure, lines);
    if (newline == std::string_view::npos) break;
    start = newline + 1;
  }
  return lines;
}

std::vector<std::string> KeepLines(std::vector<std::string> lines, size_t maxLines) {
  if (maxLines == 0) maxLines = 1;
  if (lines.size() <= maxLines) return lines;
  lines.resize(maxLines);
  lines.back() += "\xE2\x80\xA6";
  return lines;
}

}  // namespace merivan::platform::x11

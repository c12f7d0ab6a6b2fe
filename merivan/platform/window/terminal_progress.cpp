#include "merivan/platform/window/terminal_progress.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>

#include "merivan/platform/locale/codepage.h"

namespace merivan::platform {

namespace {

// Characters of a UTF-8 text: every byte but the continuation bytes.
size_t Utf8Columns(const std::string& text) {
  size_t columns = 0;
  for (const char c : text)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++columns;
  return columns;
}

// Cuts a UTF-8 text to at most `columns` characters.
std::string CutToColumns(const std::string& text, size_t columns) {
  size_t seen = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && seen++ == columns) return text.substr(0, i);
  }
  return text;
}

// The terminal's width less one, so that the line never wraps; 79 when the
// terminal does not say.
size_t LineWidth(int fd) {
  winsize size{};
  if (ioctl(fd, TIOCGWINSZ, &size) == 0 && size.ws_col > 1) return size.ws_col - 1u;
  return 79;
}

}  // namespace

TerminalProgress::TerminalProgress(int fd) : fd_(fd), enabled_(isatty(fd) == 1) {}

void TerminalProgress::Redraw(int64_t done, int64_t total, const std::string& tableName) {
  const auto now = std::chrono::steady_clock::now();
  if (now < next_) return;
  next_ = now + kRedrawInterval;
  // The gauge's percentage: records beyond the count stay at 100.
  const int64_t shown = done < 0 ? 0 : total > 0 && done > total ? total : done;
  const int64_t percent = total > 0 ? shown * 100 / total : 0;
  std::string line = TextToUtf8(tableName, AnsiCodePage()) + "  " + std::to_string(percent) + "%  " +
                     std::to_string(done) + "/" + std::to_string(total < 0 ? 0 : total);
  line = CutToColumns(line, LineWidth(fd_));
  const size_t columns = Utf8Columns(line);
  // Blanks pad the line over the rest of a longer one shown before.
  if (columns < shownColumns_) line.append(shownColumns_ - columns, ' ');
  Put("\r" + Utf8ToTerminal(line));
  shownColumns_ = columns;
}

void TerminalProgress::Clear() {
  if (shownColumns_ == 0) return;
  Put("\r" + std::string(shownColumns_, ' ') + "\r");
  shownColumns_ = 0;
}

void TerminalProgress::Put(const std::string& bytes) {
  // Straight to the descriptor: stdio's buffer of stderr would only add a copy.
  size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = write(fd_, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;  // a terminal gone away: the line is only a courtesy
    written += static_cast<size_t>(n);
  }
}

}  // namespace merivan::platform

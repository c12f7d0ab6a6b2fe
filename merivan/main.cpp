// Program entry: the application, its main window, the message loop. The
// run itself is the main window's FormShow, which ends the process.
#include <clocale>
#include <cstdio>
#include <exception>

#include "merivan/application.h"
#include "merivan/command_line.h"
#include "merivan/format/regional_settings.h"
#include "merivan/platform/locale/codepage.h"
#include "merivan/platform/window/window_system.h"
#include "merivan/uetxt.h"

int main(int argc, char** argv) {
  // The character set of the terminal, for messages on stderr; numbers and
  // dates follow RegionalSettings, never the C library's locale.
  std::setlocale(LC_CTYPE, "");
  try {
    merivan::LoadRegionalSettings();
    merivan::TApplication application(merivan::ArgumentsOf(argc, argv),
                                      merivan::platform::CreateWindowSystem(argc > 0 ? argv[0] : "merivan"));
    merivan::TMain form(application);
    application.Run();
  } catch (const std::exception& e) {
    // Start-up failed before the run could report anything itself.
    const std::string text = merivan::platform::Utf8ToTerminal(
        merivan::platform::TextToUtf8(e.what(), merivan::platform::AnsiCodePage())) + "\n";
    std::fputs(text.c_str(), stderr);
    return 255;
  }
  return 0;
}

#include "merivan/uetxt.h"

#include <cstdio>
#include <new>

#include "merivan/exceptions.h"
#include "merivan/export_table.h"
#include "merivan/platform/locale/codepage.h"

namespace merivan {

TMain* Main = nullptr;

namespace {

// The fixed texts of the run, in Windows-1250.
constexpr const char* kFailurePrefix = "P\xF8i p\xF8\xEDprav\xEC k importu souboru ";
constexpr const char* kFailureMiddle = " do\x9Alo k chyb\xEC: ";
constexpr const char* kWrongArgumentCount = "Chybn\xFD po\xE8" "et vstupn\xED" "ch parametr\xF9";
constexpr const char* kUsage = "usage: merivan DATABASE TABLE OUTPUT  (DATABASE: a directory, TABLE: e.g. adresati.db)\n";

constexpr int kOwnTextCodePage = 1250;
constexpr int kExpectedArguments = 3;
constexpr int kTimerInterval = 10;

}  // namespace

TMain::TMain(TApplication& application) : Timer1(application.WindowSystem()), application_(application) {
  Main = this;
  progres.SetPainter([this](int percent) { application_.WindowSystem().PaintGauge(percent); });
  ADR.Name = "ADR";
  ADR.SetTableName("Adresati.db");
  Session.SetPasswordPrompt([this](const std::string& tableNameUtf8, bool afterWrongPassword) {
    return application_.WindowSystem().AskPassword(tableNameUtf8, afterWrongPassword);
  });
  Session.SetLoginPrompts(&application.WindowSystem());
  ADR.SetSession(&Session);
  Timer1.Interval = kTimerInterval;
  Timer1.OnTimer = [this] { FormShow(); };
  Timer1.SetEnabled(true);
}

TMain::~TMain() {
  if (Main == this) Main = nullptr;
}

// The fixed pieces are Windows-1250. The table name comes from the command
// line and a failure's message from the run; each is shown as it is when it is
// UTF-8 already (as Linux arguments and paths usually are), otherwise read in
// the ANSI code page, so that the Czech reads right under any locale.
void TMain::ReportFailure(const std::string& messageUtf8) {
  using platform::CodePageToUtf8;
  application_.WindowSystem().ShowErrorBox(CodePageToUtf8(kFailurePrefix, kOwnTextCodePage) +
                                           platform::TextToUtf8(ADR.TableName(), platform::AnsiCodePage()) +
                                           CodePageToUtf8(kFailureMiddle, kOwnTextCodePage) + messageUtf8);
}

void TMain::ReportFailure(const Exception& failure) {
  ReportFailure(platform::TextToUtf8(failure.Message(), platform::AnsiCodePage()));
}

int TMain::Run() {
  try {
    if (application_.ParamCount() != kExpectedArguments) {
      ReportFailure(platform::CodePageToUtf8(kWrongArgumentCount, kOwnTextCodePage));
      std::fputs(kUsage, stderr);
      return -1;
    }
    ADR.SetDatabaseName(application_.ParamStr(1));
    ADR.SetTableName(application_.ParamStr(2));
    ExportTable(ADR, application_.ParamStr(3), "Win", "");
    return 0;
  } catch (const Exception& e) {
    ReportFailure(e);
  } catch (const std::bad_alloc&) {
    ReportFailure("Out of memory");
  } catch (const std::exception& e) {
    ReportFailure(platform::TextToUtf8(e.what(), platform::AnsiCodePage()));
  }
  return -1;
}

void TMain::FormShow() {
  Timer1.SetEnabled(false);
  const int exitCode = Run();
  // The process ends without unwinding: the passwords are cleared here.
  Session.RemoveAllPasswords();
  application_.EndProcess(exitCode);
}

}  // namespace merivan

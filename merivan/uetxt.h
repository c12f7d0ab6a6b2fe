#pragma once
// The main window unit: TMain with the gauge `progres`, the table `ADR` and
// the one-shot start timer `Timer1` whose first tick runs `FormShow`.
#include <string>

#include "merivan/application.h"
#include "merivan/exceptions.h"
#include "merivan/gauge.h"
#include "merivan/store/tsession.h"
#include "merivan/store/ttable.h"
#include "merivan/ttimer.h"

namespace merivan {

class TMain {
 public:
  // Sets `Main` first, then lays out the components: ADR closed with
  // TableName "Adresati.db" in Session, Timer1 at 10 ms, enabled, bound to
  // FormShow.
  explicit TMain(TApplication& application);
  ~TMain();
  TMain(const TMain&) = delete;
  TMain& operator=(const TMain&) = delete;

  TApplication& Application() { return application_; }

  TGauge progres;
  TTable ADR;
  TTimer Timer1;
  // The passwords of the run, asked through the window system's question.
  TSession Session;

  // The whole run: checks the arguments, exports the table, reports a
  // failure, and ends the process with 0 or -1.
  void FormShow();

 private:
  // The outcome of the run: 0, or -1 after a reported failure.
  int Run();
  // Shows the failure text built around `messageUtf8` (or the failure's own message).
  void ReportFailure(const std::string& messageUtf8);
  void ReportFailure(const Exception& failure);

  TApplication& application_;
};

// The one main window, set as soon as it exists.
extern TMain* Main;

}  // namespace merivan

#pragma once
// TApplication: the program's arguments, its message loop on the window
// system, and the application-wide status text.
#include <memory>
#include <string>
#include <vector>

#include "merivan/platform/window/window_system.h"

namespace merivan {

class TApplication {
 public:
  // `args[0]` is the program itself (see ArgumentsOf).
  TApplication(std::vector<std::string> args, std::unique_ptr<platform::WindowSystem> windowSystem);

  // Number of arguments after the program, and argument i (0: the program);
  // the empty text past the last one.
  int ParamCount() const { return static_cast<int>(args_.size()) - 1; }
  const std::string& ParamStr(int i) const;

  platform::WindowSystem& WindowSystem() { return *windowSystem_; }

  // The status text; the export sets it after every record.
  std::string Hint;

  // Handles every pending message until none is left.
  void ProcessMessages() { windowSystem_->ProcessMessages(); }
  // Shows the main window, then handles messages until none can come.
  void Run();
  // Ends the process at once with `exitCode` (-1 reaches the caller as 255).
  [[noreturn]] void EndProcess(int exitCode);

 private:
  std::vector<std::string> args_;
  std::unique_ptr<platform::WindowSystem> windowSystem_;
  std::string empty_;
};

}  // namespace merivan

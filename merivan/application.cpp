#include "merivan/application.h"

#include <cstdio>
#include <cstdlib>

namespace merivan {

TApplication::TApplication(std::vector<std::string> args, std::unique_ptr<platform::WindowSystem> windowSystem)
    : args_(std::move(args)), windowSystem_(std::move(windowSystem)) {
  if (args_.empty()) args_.emplace_back();
}

const std::string& TApplication::ParamStr(int i) const {
  return i >= 0 && static_cast<size_t>(i) < args_.size() ? args_[static_cast<size_t>(i)] : empty_;
}

void TApplication::Run() {
  windowSystem_->ShowMainWindow();
  windowSystem_->RunMessageLoop();
}

void TApplication::EndProcess(int exitCode) {
  std::fflush(nullptr);
  std::exit(exitCode);
}

}  // namespace merivan

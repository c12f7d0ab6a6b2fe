#include "merivan/platform/window/x11/taskbar_name.h"

#include <cctype>

namespace merivan::platform::x11 {

std::string TaskbarName(const std::string& programPath) {
  const size_t slash = programPath.find_last_of('/');
  std::string name = slash == std::string::npos ? programPath : programPath.substr(slash + 1);
  name = name.substr(0, name.find('.'));
  for (size_t i = 1; i < name.size(); ++i) {
    name[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(name[i])));
  }
  return name;
}

}  // namespace merivan::platform::x11

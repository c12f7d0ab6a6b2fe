#include "merivan/command_line.h"

namespace merivan {

std::vector<std::string> ArgumentsOf(int argc, const char* const* argv) {
  std::vector<std::string> args;
  args.emplace_back(argc > 0 && argv[0] ? argv[0] : "");
  for (int i = 1; i < argc; ++i) {
    if (argv[i] && argv[i][0] != '\0') args.emplace_back(argv[i]);
  }
  return args;
}

}  // namespace merivan

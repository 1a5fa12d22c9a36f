// aeroshadow-tool decrypt IN OUT: the plain text of a data file, as the program reads it.
#include <fmt/format.h>

#include <stdexcept>
#include <string>

#include "command.h"
#include "core/log.h"
#include "data/stream_decrypt.h"

namespace tfx::tool {
namespace {

int run(CommandArguments arguments) {
  if (arguments.size() != 2) throw std::runtime_error("expected IN OUT");
  LogCapture log;
  if (gf_streamDecrypt(std::string(arguments[0]), std::string(arguments[1]))) return 0;
  for (const std::string& line : log.lines()) fmt::print(stderr, "{}\n", line);
  return 1;
}

const Command command{"decrypt", "IN OUT", "decrypt a data file (.enc) into its plain file with the program's key",
                      run};

}  // namespace
}  // namespace tfx::tool

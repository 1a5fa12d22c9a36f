// aeroshadow-tool encrypt IN OUT: makes a data file the program reads.
#include <stdexcept>
#include <string>

#include "command.h"
#include "data/stream_encrypt.h"

namespace tfx::tool {
namespace {

int run(CommandArguments arguments) {
  if (arguments.size() != 2) throw std::runtime_error("expected IN OUT");
  streamEncrypt(std::string(arguments[0]), std::string(arguments[1]));
  return 0;
}

const Command command{"encrypt", "IN OUT", "encrypt a plain file into a data file (.enc) with the program's key",
                      run};

}  // namespace
}  // namespace tfx::tool

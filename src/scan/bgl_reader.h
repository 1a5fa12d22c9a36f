#pragma once
// Reading the airport records of a scenery BGL file.
#include <stdexcept>
#include <vector>

#include "scan/bgl_bytes.h"
#include "scan/bgl_records.h"

namespace tfx::scan {

// A file whose structure points outside itself; the text names the fault.
class BglDamage : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct BglContent {
  bool scenery = false;  // false: no scenery BGL, nothing read
  std::vector<BglAirport> airports;  // every airport record in file order, valid ident or not
};

// Reads what the airport records need and nothing else. Throws BglDamage for
// a damaged file and std::system_error when reading fails.
BglContent readBgl(BglBytes& bytes);

}  // namespace tfx::scan

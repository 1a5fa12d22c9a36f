#pragma once
// Tying registrations to livery titles: the liveries' own atc_id, then the
// shipped AIG list, then the user's files; and the titles not to use.
#include <string>
#include <vector>

#include "aircraft/cfg_scan_context.h"
#include "aircraft/livery_data.h"
#include "aircraft/livery_tables.h"
#include "aircraft/regcode_files.h"

namespace tfx {

// Before a scan: the entries without registrations of the AIG list and of
// the user's files.
TitleSet readDontUseTitles();

// The liveries' own registrations; the first livery keeps a registration
// painted on two. Returns the clash lines (also written to InlineRegcodes.txt).
std::vector<std::string> lf_processInlineRegcodes(const LiveryList& liveries, LiveryTables& tables);

// The AIG list and the user's files, merged over the in-line codes; writes
// OfflineRegcodes.txt. Nothing here stops the program.
void lf_processRegcodeFiles(LiveryTables& tables);

// Merges ENTRIES into the tables, adding report lines; returns the summary line.
std::string mergeRegcodes(const std::vector<RegcodeEntry>& entries, LiveryTables& tables,
                          std::vector<std::string>& report);

}  // namespace tfx

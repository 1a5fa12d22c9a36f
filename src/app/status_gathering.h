#pragma once
// The status area's values, gathered from where each one lives when the window paints.
#include "app/program_run.h"
#include "ui/status_values.h"

namespace tfx::app {

ui::StatusValues gatherStatusValues(const ProgramRun& program);

}  // namespace tfx::app

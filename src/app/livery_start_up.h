#pragma once
// The liveries at start: a scan when asked for (or when the saved list is
// gone), else the saved list; then the matching set-up and the category
// check boxes that depend on what is installed.
#include "aircraft/livery_catalogue.h"
#include "ui/window_model.h"

namespace tfx::app {

void scanOrLoadLiveries(LiveryCatalogue& catalogue, ui::WindowModel& model);

}  // namespace tfx::app

#pragma once
// The number edit boxes: the typed text read, converted, checked and stored.
#include "core/parameter_types.h"
#include "ui/window_model.h"

namespace tfx::ui {

// The edit box's text as UTF-8; a missing control logs "GetDlgItem failed for ID {}" and gives "".
std::string lf_getTextFromId(const WindowModel& model, ControlId id);

// Integer text as std::stoi reads it ("12abc" is 12): an empty text changes
// nothing; the value is clamped, stored, saved (not parking_percentage) and shown.
void lf_processTbInt(const WindowModel& model, EditIntParameter& setting);
// The same for float text as std::stof reads it; MAX_FIT_FL is not saved.
void lf_processTbFloat(const WindowModel& model, EditFloatParameter& setting);

}  // namespace tfx::ui

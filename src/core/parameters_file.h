#pragma once
// parameters.xml: reading every setting at start, and writing single settings
// back as the user changes them.
#include <filesystem>
#include <span>

#include "core/parameter_types.h"

namespace tfx {

// Loads parameters.xml (or writes one with the defaults), copies each stored
// value into its setting, adds what the file lacks and saves it back.
void readParameters();
void readParameters(const std::filesystem::path& file);

// Takes the stored values of a few settings without writing the file; an
// unreadable file or a missing key leaves a setting as it is.
void readStoredValues(const std::filesystem::path& file, std::span<Parameter* const> settings);

// Writes one setting's current value into the file (adding its element when missing).
void saveParameter(const Parameter& parameter);
// Removes one setting's element from the file.
void removeParameter(const Parameter& parameter);

}  // namespace tfx

#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "samplecard/card_plan.h"

namespace samplecard {

// Writes every file of the plan into folder (created when missing; files of the same names are
// replaced, other files are left alone). wrote is called after each file with its name.
// Creates the QGuiApplication it needs (see ensureGuiApplication); call on the main thread.
// Throws std::runtime_error on an encoding or file error.
void writeCard(const std::filesystem::path& folder, const CardPlan& plan,
               const std::function<void(const std::string& fileName)>& wrote = {});

// planCard(options) written into folder; the returned plan describes what was written.
CardPlan generateCard(const std::filesystem::path& folder, const CardOptions& options = {});

}  // namespace samplecard

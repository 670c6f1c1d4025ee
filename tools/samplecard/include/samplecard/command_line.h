#pragma once

#include <span>
#include <string>
#include <string_view>

#include "samplecard/card_plan.h"

namespace samplecard {

struct CommandLine {
  enum class Action { Generate, Help, Error };
  Action action = Action::Error;
  std::string folder;
  CardOptions options;
  std::string error;  // for Action::Error
};

// samplecard DIR [--size WxH] [--seconds N] [--hemisphere sw|ne] [--help]; "--opt=value" works
// too. arguments excludes the program name.
CommandLine parseCommandLine(std::span<const std::string_view> arguments);

std::string usageText();

}  // namespace samplecard

#include <cstdio>
#include <exception>
#include <string_view>
#include <vector>

#include "samplecard/card_writer.h"
#include "samplecard/command_line.h"

extern "C" {
#include <libavutil/log.h>
}

int main(int argc, char** argv) {
  const std::vector<std::string_view> arguments(argv + 1, argv + argc);
  const samplecard::CommandLine line = samplecard::parseCommandLine(arguments);
  switch (line.action) {
    case samplecard::CommandLine::Action::Help:
      std::fputs(samplecard::usageText().c_str(), stdout);
      return 0;
    case samplecard::CommandLine::Action::Error:
      std::fprintf(stderr, "samplecard: %s\n\n%s", line.error.c_str(),
                   samplecard::usageText().c_str());
      return 2;
    case samplecard::CommandLine::Action::Generate:
      break;
  }
  av_log_set_level(AV_LOG_ERROR);  // the encoders' statistics are noise here
  try {
    const samplecard::CardPlan plan = samplecard::planCard(line.options);
    samplecard::writeCard(line.folder, plan, [&](const std::string& name) {
      std::printf("%s/%s\n", line.folder.c_str(), name.c_str());
      std::fflush(stdout);
    });
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}

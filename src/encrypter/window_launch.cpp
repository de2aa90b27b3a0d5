#include "encrypter/window_launch.h"

#include <charconv>

namespace velunor::encrypter {

namespace {

bool IsModeOption(const std::string& argument) {
  return argument == "--filter" || argument == "--edit" || argument == "--ask-keyword" ||
         argument == "--help" || argument == "--wrap";
}

TWindowLaunch Fault(TWindowLaunch launch, TLaunchFault fault, std::string argument) {
  launch.fault = fault;
  launch.faultArgument = std::move(argument);
  return launch;
}

bool ParseColumns(const std::string& text, std::size_t& columns) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), columns);
  return error == std::errc() && end == text.data() + text.size() && columns <= kMaxMailLineLength;
}

}  // namespace

TWindowLaunch ParseWindowArguments(const std::vector<std::string>& arguments) {
  TWindowLaunch launch;
  if (arguments.empty() || !IsModeOption(arguments.front())) {
    if (!arguments.empty()) launch.file = arguments.front();
    return launch;
  }
  bool modeGiven = false, wrapGiven = false, fileGiven = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--wrap") {
      if (i + 1 == arguments.size() || !ParseColumns(arguments[i + 1], launch.wrapColumns))
        return Fault(launch, TLaunchFault::kBadWrap,
                     i + 1 < arguments.size() ? arguments[i + 1] : "");
      wrapGiven = true;
      ++i;
    } else if (!modeGiven && IsModeOption(argument)) {
      modeGiven = true;
      launch.mode = argument == "--filter"        ? TWindowMode::kFilter
                    : argument == "--edit"        ? TWindowMode::kEdit
                    : argument == "--ask-keyword" ? TWindowMode::kAskKeyword
                                                  : TWindowMode::kHelp;
    } else if (argument.starts_with("--")) {
      return Fault(launch, TLaunchFault::kUnknownOption, argument);
    } else if (!fileGiven && modeGiven && launch.mode == TWindowMode::kEdit) {
      launch.file = argument;
      fileGiven = true;
    } else if (!fileGiven && modeGiven && launch.mode == TWindowMode::kAskKeyword) {
      launch.prompt = argument;
      fileGiven = true;
    } else {
      return Fault(launch, TLaunchFault::kSurplusArgument, argument);
    }
  }
  if (!modeGiven) return Fault(launch, TLaunchFault::kUnknownOption, "--wrap");
  if (launch.mode == TWindowMode::kEdit && !fileGiven)
    return Fault(launch, TLaunchFault::kMissingFile, "--edit");
  if (wrapGiven && launch.mode != TWindowMode::kFilter && launch.mode != TWindowMode::kEdit)
    return Fault(launch, TLaunchFault::kSurplusArgument, "--wrap");
  return launch;
}

}  // namespace velunor::encrypter

#include "input/scan_messages.h"

#include <array>

#include "input/format_text.h"

namespace pelmora {

namespace {

constexpr std::array<std::string_view, 32> kScanMessages{
    "\"%s\" is not a valid pressure value",
    "\"%s\" is not a valid C-factor (or absolute roughness) value",
    "\"%s\" is not a valid discharge (flow) value",
    "\"%s\" is not a valid elevation",
    "\"%s\" is not a valid fitting for size %s pipe of \"%s\" material",
    "Number of heads \"%s\" is not 1 or greater",
    "\"%s\" is not a valid K-factor value",
    "\"%s\" is not a valid pipe length",
    "Length \"%s\" is not greater than or equal to zero",
    "Is %s the correct pipe length?",
    "Name \"%s\" is longer than 8 characters",
    "Node \"%s\" has already been defined",
    "Length \"%s\" is not greater than zero",
    "\"%s\" has already been used as a pipe's name",
    "\"%s\" is not a valid nominal pipe size for pipe material \"%s\"",
    "\"%s\" is not a valid pipe material code",
    "\"%s\" is not a valid density value",
    "\"%s\" is not an integer value",
    "There is no pipe named \"%s\"",
    "There is no node named \"%s\"",
    "Starting and ending nodes must be different",
    "Only one \"Drop\" command may be used.",
    "Only one \"LineElev\" or \"LineElev2\" command may be used.",
    "Only one \"TreeLeft\" command may be used.",
    "Only one \"TreeRight\" command may be used.",
    "Value \"%s\" should be between 1 and %s",
    "Only one \"%s\" pipe size allowed per \"Main\" or \"MainV\" command used.",
    "There must be one less \"%s\" commands than \"Main\"/\"MainV\" commands.",
    "Only one \"MainElev\" command allowed per \"Main\" or \"MainV\" command used.",
    "Number of branchlines \"%s\" is not 1 or greater",
    "Number of branchlines \"%s\" is not 2 or greater",
    "Minimum head pressure is %s",
};

}  // namespace

std::string ScanMessage(TScanMessage number, std::initializer_list<std::string_view> values) {
  return FormatText(kScanMessages.at(number - 1), values);
}

}  // namespace pelmora

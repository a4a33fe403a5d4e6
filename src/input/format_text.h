// Fills the "%s" places of a message pattern with values, in order.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace pelmora {

std::string FormatText(std::string_view pattern, std::initializer_list<std::string_view> values);

}  // namespace pelmora

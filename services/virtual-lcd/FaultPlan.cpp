#include "services/virtual-lcd/FaultPlan.h"

#include <optional>

#include "services/virtual-lcd/WholeNumber.h"

namespace korvan::virtual_lcd {
namespace {

// A code the service answers with: non-zero and 32 bits wide.
std::optional<std::int32_t> Code(std::string_view text) {
  const auto value = ParseWholeNumber(text);
  if (!value || *value == 0 || *value < INT32_MIN || *value > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(*value);
}

// "K:CODE", K counted from 1.
bool AddNumbered(std::string_view value, std::map<std::int64_t, std::int32_t>& plan) {
  const auto colon = value.find(':');
  if (colon == std::string_view::npos) return false;
  const auto number = ParseWholeNumber(value.substr(0, colon));
  const auto code = Code(value.substr(colon + 1));
  if (!number || *number < 1 || !code) return false;
  plan[*number] = *code;
  return true;
}

}  // namespace

FaultPlan FaultPlan::Parse(std::string_view text, std::string* problems) {
  FaultPlan plan;
  while (!text.empty()) {
    const auto comma = text.find(',');
    const std::string_view item = text.substr(0, comma);
    text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    if (item.empty()) continue;
    const auto equals = item.find('=');
    const std::string_view name = item.substr(0, equals);
    const std::string_view value =
        equals == std::string_view::npos ? std::string_view() : item.substr(equals + 1);
    bool understood = false;
    if (name == "startup" || name == "connect") {
      if (const auto code = Code(value)) {
        (name == "startup" ? plan.startup_ : plan.connect_) = *code;
        understood = true;
      }
    } else if (name == "query259") {
      if (const auto count = ParseWholeNumber(value); count && *count >= 0) {
        plan.query259Count_ = *count;
        understood = true;
      }
    } else if (name == "push1167") {
      understood = AddNumbered(std::string(value) + ":1167", plan.pushes_);
    } else if (name == "push") {
      understood = AddNumbered(value, plan.pushes_);
    } else if (name == "read") {
      understood = AddNumbered(value, plan.reads_);
    }
    if (!understood && problems != nullptr) {
      if (!problems->empty()) *problems += ", ";
      *problems += std::string(item);
    }
  }
  return plan;
}

std::int32_t FaultPlan::CodeFor(const std::map<std::int64_t, std::int32_t>& plan,
                                std::int64_t number) {
  const auto found = plan.find(number);
  return found == plan.end() ? 0 : found->second;
}

}  // namespace korvan::virtual_lcd

#include "reports/code_lists.h"

#include <algorithm>

#include "input/units/text.h"
#include "reports/report_text.h"

namespace pelmora {

namespace {

struct CodeEntry {
  std::string Code;
  std::string Description;
};

// Codes right-aligned to the longest one, so that the dashes line up.
std::vector<std::string> CodeLines(const std::vector<CodeEntry>& entries) {
  size_t width = 0;
  for (const CodeEntry& entry : entries) width = std::max(width, entry.Code.size());
  std::vector<std::string> lines;
  for (const CodeEntry& entry : entries)
    lines.push_back(PadLeftText(entry.Code, static_cast<int>(width)) + " - " + entry.Description);
  std::sort(lines.begin(), lines.end(),
            [](const std::string& a, const std::string& b) { return UpperCase(a) < UpperCase(b); });
  lines.erase(std::unique(lines.begin(), lines.end(), SameText), lines.end());
  return lines;
}

std::string WithoutCount(const std::string& fittingText) {
  const size_t start = fittingText.find_first_not_of("0123456789");
  return start == std::string::npos ? "" : fittingText.substr(start);
}

// The first material's fittings are the general table every other material falls back on.
CodeEntry FittingEntry(const TReportContext& context, const TPipe& pipe, const std::string& fittingText) {
  const TMaterials& materials = context.Materials;
  const std::string code = WithoutCount(fittingText);
  const int materialIndex = materials.FindMaterial(pipe.Material);
  if (context.Project.MaterialFittings && materialIndex > 0) {
    const TMaterialObject& material = materials.Materials[static_cast<size_t>(materialIndex)];
    const int fitting = materials.FindFitting(code, materialIndex);
    if (fitting >= 0) {
      const TFitting& own = material.Fittings[static_cast<size_t>(fitting)];
      return {own.Code + " [" + material.Code + "]", own.Description};
    }
  }
  const int general = materials.Materials.empty() ? -1 : materials.FindFitting(code, 0);
  if (general >= 0) {
    const TFitting& fitting = materials.Materials[0].Fittings[static_cast<size_t>(general)];
    return {fitting.Code, fitting.Description};
  }
  return {"error", "invalid fitting code \"" + fittingText + "\""};
}

}  // namespace

std::vector<std::string> BuildMaterialCodes(const TReportContext& context) {
  try {
    std::vector<CodeEntry> entries;
    for (const TCalcEngine* engine : context.Calculations()) {
      for (size_t i = 1; i < engine->FPipes.size(); ++i) {
        const int index = context.Materials.FindMaterial(engine->FPipes[i]->Material);
        if (index < 0) continue;
        const TMaterialObject& material = context.Materials.Materials.at(static_cast<size_t>(index));
        entries.push_back({material.Code, material.Description});
      }
    }
    return CodeLines(entries);
  } catch (const std::exception&) {
    return {};
  }
}

std::vector<std::string> BuildFittingCodes(const TReportContext& context) {
  try {
    std::vector<CodeEntry> entries;
    for (const TCalcEngine* engine : context.Calculations())
      for (size_t i = 1; i < engine->FPipes.size(); ++i)
        for (const std::string& fitting : engine->FPipes[i]->Fittings)
          entries.push_back(FittingEntry(context, *engine->FPipes[i], fitting));
    return CodeLines(entries);
  } catch (const std::exception&) {
    return {"exception error"};
  }
}

}  // namespace pelmora

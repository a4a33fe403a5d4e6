#include "shell/message_jump.h"

#include "engine/calc_engine.h"
#include "input/zub_file.h"

namespace pelmora {

std::optional<TJumpTarget> MessageJumpTarget(const TCalcEngine* engine, const TZubFile& project, int messageIndex) {
  int line = 0, param = 0;
  if (engine != nullptr && messageIndex >= 0) {
    const auto errors = static_cast<int>(engine->FErrors.size());
    const auto warnings = static_cast<int>(engine->FMessages.size());
    const TCalcError* message = nullptr;
    if (messageIndex < errors)
      message = &engine->FErrors[static_cast<size_t>(messageIndex)];
    else if (messageIndex < errors + warnings)
      message = &engine->FMessages[static_cast<size_t>(messageIndex - errors)];
    if (message != nullptr) {
      line = message->Line;
      param = message->Param;
    }
  }
  if (line < 0) return std::nullopt;
  const TZubParameter token = project.GetToken(line, param);
  if (!token.Present || token.Comment || token.Text.empty()) return TJumpTarget{line, 0, -1};
  return TJumpTarget{line, token.Column, static_cast<int>(token.Text.size())};
}

}  // namespace pelmora

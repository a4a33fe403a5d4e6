// Interpreting small grid texts for the grid expansion tests.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/calc_engine.h"
#include "engine/grid.h"
#include "input/zub_file.h"

namespace pelmora::testing {

struct TInterpreted {
  TZubFile Project;
  std::unique_ptr<TCalcEngine> Engine = std::make_unique<TCalcEngine>();
  bool Ok = false;

  explicit TInterpreted(const std::vector<std::string>& lines) {
    Project.Units = TUnitSet{};  // ft, in, ft, psi, gpm
    Ok = Project.Interpret(lines, Engine.get());
  }
  TPipe* Pipe(const std::string& name) const { return Engine->FindPipe(name); }
  TNode* Node(const std::string& name) const { return Engine->FindNode(name); }
  std::vector<std::string> Errors() const {
    std::vector<std::string> texts;
    for (const TCalcError& error : Engine->FErrors) texts.push_back(error.Text);
    return texts;
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const TCalcError& message : Engine->FMessages) texts.push_back(message.Text);
    return texts;
  }
};

// A water source and the riser to the first main's first junction, so that the grid can be solved.
inline std::vector<std::string> WithSupply(std::vector<std::string> grid) {
  grid.insert(grid.begin(), {"Water W 0 150 2000 100", "Pipe RISER W M1-1 20 6"});
  return grid;
}

}  // namespace pelmora::testing

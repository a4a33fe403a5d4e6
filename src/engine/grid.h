// Companion of the engine for gridded and tree systems: generation and the remote-area search.
#pragma once

namespace pelmora {

class TCalcEngine;

class TCalcGrid {
 public:
  explicit TCalcGrid(TCalcEngine& engine);
  ~TCalcGrid();

  // Called by Calculate at the start of every solve pass with the criterion of the previous
  // pass (ignored on the first call); true while another pass is to be calculated.
  bool SearchStep(double criterion);

 private:
  TCalcEngine& FEngine;
  int FPasses = 0;
};

}  // namespace pelmora

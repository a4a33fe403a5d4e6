// What the DEBUG command adds to a run: statistics lines and the "Dump.txt" file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pelmora {

class TCalcEngine;

// The processor's time-stamp counter (0 where there is none).
uint64_t ReadCycleCounter();
std::vector<std::string> DebugStatistics(const TCalcEngine& engine, uint64_t startCycles);
std::vector<std::string> DumpLines(const TCalcEngine& engine);
// Written through a temporary file and a rename; false when the folder is not writable.
bool WriteDumpFile(const TCalcEngine& engine, const std::string& fileName = "Dump.txt");

}  // namespace pelmora

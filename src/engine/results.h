// Summary values, bottom-of-riser values, result checks, calculation messages and sorting.
#pragma once

#include <string>

namespace pelmora {

class TCalcEngine;
struct TEngineState;

// Velocities, the largest velocity and every pipe's total loss.
void CompletePipeResults(TCalcEngine& engine);
// Flow drawn from the input node's supply, the pressure it needs and offers, and the margin.
void ComputeSupplyMargin(TCalcEngine& engine, TEngineState& state);
// Static pressure at the bottom-of-riser node along its path from the input node.
void ComputeStaticPressure(TCalcEngine& engine, TEngineState& state);
// Pressure and outflow at the bottom-of-riser node after the solution.
void ComputeRiserValues(TCalcEngine& engine);

// Warnings after an accepted solution: pumps in loops, rising curves, device maximum flows.
void CheckDevices(TCalcEngine& engine);
// Error 516 for every node whose flows do not balance; false when one was found.
bool CheckFlowBalance(TCalcEngine& engine);
// Error and hints after no base node gave an accepted solution.
void ReportNoSolution(TCalcEngine& engine);
// Source calculation: heads and nodes that receive less than they require (input units).
void ReportShortfalls(TCalcEngine& engine);

// Natural name order: digit runs compare as numbers, letters without regard to case.
// Negative, zero or positive like strcmp.
int CompareNames(const std::string& a, const std::string& b);

}  // namespace pelmora

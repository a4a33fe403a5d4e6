// The objects of the calculation model: nodes, pipes, curve devices, loops/paths and messages.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "input/units/units.h"

namespace pelmora {

using TIntArray = std::vector<int32_t>;
using TDblArray = std::vector<double>;
using TMatrix = std::vector<TDblArray>;

enum TNodeKind : uint8_t { nkHead = 0, nkNode = 1, nkWater = 2 };

class TSpecial;

class TCalcObject {
 public:
  virtual ~TCalcObject() = default;
  std::string Name;
  int32_t Line = -1;  // defining command line, 0-based
};

class TNode : public TCalcObject {
 public:
  TNodeKind Kind = nkNode;
  bool Unsolved = false;
  double Elevation = 0;
  double Pressure = 0;            // total pressure Pt
  double VelocityPressure = 0;    // Pv; normal pressure is Pressure - VelocityPressure
  double ElevationPressure = 0;   // Elevation times the pressure-per-length factor
  TIntArray PipeList;             // +k pipe k leaves here, -k arrives here
  double Flow = 0;                // discharge; a water source's (negative) inflow
  double MinFlow = 0;             // minimum discharge (head) or fixed outflow (node)
  double MinPressure = kNotSet;   // minimum pressure requirement
  double KFactor = 0;
  TSpecial* Supply = nullptr;     // water supply curve of a source
  std::string Comment;
  double Density = 0;             // design density in force when the head was defined
  std::string KReference;         // equivalent-K code used instead of a number
};

class TPipe : public TCalcObject {
 public:
  std::string FromName, ToName;   // as written
  TNode* FromNode = nullptr;
  TNode* ToNode = nullptr;
  double Length = 0;
  double NominalSize = 0;         // as written
  std::string Material;
  double CFactor = 0;             // C-factor, or absolute roughness (Darcy-Weisbach)
  bool HazenPipe = false;
  std::string Comment;
  std::vector<std::string> Fittings;
  TDblArray FittingLengths, FittingKs;
  bool VelocityAtBegin = false;
  bool VelocityAtEnd = false;
  bool NoFriction = false;
  std::vector<TSpecial*> Devices;
  TIntArray LoopList, PathList;
  TIntArray FromNeighbors, ToNeighbors;
  double InsideDiameter = 0;
  double FittingLength = 0, FittingK = 0;
  double TotalLength = 0;
  double FrictionCoef = 0, RoughnessTerm = 0, ReynoldsCoef = 0, VelPressCoef = 0;
  double Flow = 0;                // positive from FromNode to ToNode
  double Velocity = 0;
  double VelocityPressure = 0, VelPressSlope = 0;
  double Reynolds = 0, FrictionFactor = 0;
  double FrictionLoss = 0;        // Pf, signed with the flow
  double LossSlope = 0;
  double ElevationLoss = 0;       // to node's ElevationPressure minus from node's
  double DeviceLoss = 0;
  double TotalLoss = 0;
  // Water coefficients of a HazenPipe pipe in a Darcy-Weisbach project, prepared with the others.
  double HazenFrictionCoef = 0, HazenVelPressCoef = 0;
  // Fitting counters of generated pipes: tees, elbows, straight-through tees.
  uint8_t Tees = 0, Elbows = 0, StraightTees = 0;
};

enum TSpecialKind : uint8_t { skWater = 0, skPump = 1, skBackflow = 2 };

// A pressure-flow curve: a water supply, a pump or a backflow preventer.
class TSpecial : public TCalcObject {
 public:
  TSpecialKind Kind = skWater;
  TCalcObject* Owner = nullptr;   // the source node or the carrying pipe
  bool Linear = false;
  double LastPressure = 0, LastSlope = 0;
  TDblArray Flows, Pressures;
  std::string Comment;
};

// One equation of the network: a closed loop, or a path from the base node to a flowing node.
class TLoop : public TCalcObject {
 public:
  int32_t Equation = -1;
  TIntArray PipeNumbers;          // signed pipe numbers along it
  int32_t EndNodeNumber = 0;      // path only
  double Flow = 0;
  double Loss = 0;
  double StaticTerm = 0;          // path only: elevation pressure rise from base to end
  double Required = 0;            // path only: pressure required at the base
};

struct TCalcError {
  int32_t Code = 0;
  std::string Text;
  int32_t Line = -1;
  int32_t Param = -1;
};

}  // namespace pelmora

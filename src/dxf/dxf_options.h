// The DXF settings of the program options and the choices of one drawing import.
#pragma once

#include <string>
#include <vector>

namespace pelmora {

class TMaterials;

// Program options of the DXF exchange (the Dxf* keys of the options file).
struct TDxfOptions {
  std::string OneQuarter = ".25";    // drawing text for 1/4 in size texts
  std::string OneHalf = ".5";        // drawing text for 1/2
  std::string ThreeQuarter = ".75";  // drawing text for 3/4
  int BaseUnit = 2;                  // length code of drawing coordinates (in)
  int PipeSizeUnit = 2;              // length code of size texts (in)
  double Tolerance = 1.0;            // end-point tolerance, drawing units
  bool UseLwPolylines = true;
  bool UpdateSizeText = true;
  bool AddNodeNames = true;
  bool AddPipeNames = true;
  bool AddNodeDischarge = true;
  bool AddPipeFlow = true;
  bool AddFlowArrow = true;
  bool NoFlowVertLine = false;       // no flow text or arrow on pipes seen end-on in plan
};

// What the designer picked for one import: layers of each kind, head blocks, names and head data.
struct TDxfImportChoices {
  std::vector<std::string> MainLayers;
  std::vector<std::string> LineLayers;
  std::vector<std::string> HeadLayers;
  std::vector<std::string> SizeLayers;
  std::vector<std::string> HeadBlocks;
  std::string FirstMainName = "M01";
  std::string FirstLineName = "L01";
  bool ForceMainElevation = false;
  std::string MainElevation;         // "0" when empty
  bool ForceLineElevation = false;
  std::string LineElevation;         // "0" when empty
  std::string KFactor;               // empty: the default of the project's K-factor unit
  std::string Discharge;             // empty: the default of the project's flow unit
  const TMaterials* Materials = nullptr;  // size texts are checked against its first material;
                                          // nullptr means the program's database
};

}  // namespace pelmora

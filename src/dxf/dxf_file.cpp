#include "dxf/dxf_file.h"

#include <algorithm>
#include <unordered_set>

#include "dxf/dxf_chain.h"
#include "dxf/dxf_commands.h"
#include "dxf/dxf_fittings.h"
#include "dxf/dxf_sizes.h"
#include "input/units/names.h"
#include "input/units/text.h"
#include "materials/materials.h"

namespace pelmora {

namespace {

using TNameSet = std::unordered_set<std::string>;

TNameSet UpperSet(const std::vector<std::string>& names) {
  TNameSet set;
  for (const std::string& name : names) set.insert(UpperCase(Trim(name)));
  return set;
}

bool InSet(const TNameSet& set, const std::string& name) { return set.count(UpperCase(name)) != 0; }

std::vector<std::string> SortedNames(std::vector<std::string> names) {
  std::stable_sort(names.begin(), names.end(),
                   [](const std::string& a, const std::string& b) { return UpperCase(a) < UpperCase(b); });
  return names;
}

// The next free name of a run: names in the command text or already generated are passed over.
std::string TakeName(std::string& current, TNameList& taken) {
  while (taken.Contains(current)) current = NextName(current);
  std::string name = current;
  taken.Add(name);
  current = NextName(current);
  return name;
}

std::string OrDefault(const std::string& text, const char* fallback) { return text.empty() ? fallback : text; }

struct TUnitDefault {
  int Unit;
  const char* Text;
};
constexpr TUnitDefault kDefaultKFactors[] = {{0, "5.6"}, {1, "80.6"}, {2, "8.6"}};
constexpr TUnitDefault kDefaultDischarges[] = {{0, "14.9"}, {1, "57"}};
constexpr double kDefaultKFactorUS = 5.6;    // gpm/psi^0.5, a standard half-inch head
constexpr double kDefaultDischargeUS = 14.9;  // gpm

}  // namespace

std::string DefaultKFactorText(int kFactorUnit) {
  for (const TUnitDefault& entry : kDefaultKFactors)
    if (entry.Unit == kFactorUnit) return entry.Text;
  return FormatK(ConvertK(kDefaultKFactorUS, 0, kFactorUnit));
}

std::string DefaultDischargeText(int flowUnit) {
  for (const TUnitDefault& entry : kDefaultDischarges)
    if (entry.Unit == flowUnit) return entry.Text;
  return FormatFlow(ConvertFlow(kDefaultDischargeUS, 0, flowUnit));
}

bool TdxfFile::Open(const std::string& fileName) {
  FFileName = fileName;
  FDrawing = {};
  TDxfLineList lines;
  if (!lines.LoadFromFile(fileName)) {
    FMessage = lines.Message();
    FDetail = lines.Detail();
    return false;
  }
  FMessage.clear();
  FDetail.clear();
  FDrawing = ReadDrawing(lines);
  return true;
}

std::vector<std::string> TdxfFile::LayerNames() const { return SortedNames(FDrawing.Layers); }

std::vector<std::string> TdxfFile::BlockNames() const { return SortedNames(FDrawing.Blocks); }

std::vector<std::string> TdxfFile::BuildCommands() {
  CollectPipes();
  MakeNodes();

  const TMaterials& materials = Choices.Materials ? *Choices.Materials : Materials();
  TNameSet sizeLayers = UpperSet(Choices.SizeLayers);
  std::vector<TdxfText> sizeTexts;
  for (const TdxfText& text : FDrawing.Texts) {
    if (!InSet(sizeLayers, text.Layer)) continue;
    TdxfText sizeText = text;
    sizeText.Text = ReplaceFractions(text.Text, Options);
    if (IsSizeText(sizeText.Text, materials, Options.PipeSizeUnit)) sizeTexts.push_back(std::move(sizeText));
  }
  std::stable_sort(sizeTexts.begin(), sizeTexts.end(),
                   [](const TdxfText& a, const TdxfText& b) { return a.Point.X < b.Point.X; });
  AssignPipeSizes(FPipes, sizeTexts, Options.PipeSizeUnit, Units.Size);

  AddFittings(FPipes, FNodes.size());
  MarkHeads();
  return WriteCommands();
}

void TdxfFile::CollectPipes() {
  TNameSet mainLayers = UpperSet(Choices.MainLayers);
  TNameSet lineLayers = UpperSet(Choices.LineLayers);
  std::vector<TdxfLine> mains, lines;
  size_t drawn = FDrawing.Lines.size() + (Options.UseLwPolylines ? FDrawing.Polylines.size() : 0);
  mains.reserve(drawn);
  lines.reserve(drawn);
  auto sort = [&](const std::vector<TdxfLine>& drawn) {
    for (const TdxfLine& line : drawn) {
      // A layer chosen both ways gives mains: one drawn line must never become two pipes.
      if (InSet(mainLayers, line.Layer)) {
        mains.push_back(line);
        mains.back().Main = true;
      } else if (InSet(lineLayers, line.Layer)) {
        lines.push_back(line);
      }
    }
  };
  sort(FDrawing.Lines);
  if (Options.UseLwPolylines) sort(FDrawing.Polylines);

  double tolerance = std::max(Options.Tolerance, 0.0);
  OrientAndChain(mains, tolerance);
  OrientAndChain(lines, tolerance);
  TNameList taken = UsedNames;
  NamePipes(mains, OrDefault(Choices.FirstMainName, "M01"), taken);
  NamePipes(lines, OrDefault(Choices.FirstLineName, "L01"), taken);

  FPipes = std::move(mains);
  FPipes.reserve(FPipes.size() + lines.size());
  FPipes.insert(FPipes.end(), std::make_move_iterator(lines.begin()), std::make_move_iterator(lines.end()));
}

void TdxfFile::NamePipes(std::vector<TdxfLine>& pipes, const std::string& firstName, TNameList& taken) {
  std::string current = firstName;
  for (TdxfLine& pipe : pipes) pipe.PipeName = TakeName(current, taken);
}

void TdxfFile::MakeNodes() {
  FNodes.clear();
  TCoincidenceGrid made(std::max(Options.Tolerance, 0.0), 2 * FPipes.size());
  TNameList taken = UsedNames;
  std::string current = OrDefault(Choices.FirstMainName, "M01");
  bool namingMains = true;
  auto nodeAt = [&](const TDxfPoint& point, bool onMain) {
    int found = made.FirstCoinciding(point);
    if (found >= 0) return found;
    int id = static_cast<int>(FNodes.size());
    FNodes.push_back({TakeName(current, taken), point, onMain, false});
    made.Add(point, id);
    return id;
  };
  for (TdxfLine& pipe : FPipes) {
    if (namingMains && !pipe.Main) {
      namingMains = false;
      current = OrDefault(Choices.FirstLineName, "L01");
    }
    pipe.Node1 = nodeAt(pipe.Start, pipe.Main);
    pipe.Node2 = nodeAt(pipe.End, pipe.Main);
  }
}

void TdxfFile::MarkHeads() {
  TCoincidenceGrid nodes(std::max(Options.Tolerance, 0.0), FNodes.size());
  for (size_t i = 0; i < FNodes.size(); ++i) nodes.Add(FNodes[i].Point, static_cast<int>(i));
  TNameSet headLayers = UpperSet(Choices.HeadLayers);
  TNameSet headBlocks = UpperSet(Choices.HeadBlocks);
  for (const TdxfBlock& insert : FDrawing.Inserts) {
    if (!InSet(headLayers, insert.Layer) || !InSet(headBlocks, insert.Name)) continue;
    for (int node : nodes.AllCoinciding(insert.Point)) FNodes[node].Head = true;
  }
}

std::string TdxfFile::ElevationText(const TdxfNodePoint& node, int digitWidth) const {
  if (node.OnMain && Choices.ForceMainElevation) return OrDefault(Choices.MainElevation, "0");
  if (!node.OnMain && Choices.ForceLineElevation) return OrDefault(Choices.LineElevation, "0");
  double elevation = ConvertLength(node.Point.Z, Options.BaseUnit, Units.Elevation);
  return ElevationField(FormatLength(Units.Elevation, elevation), elevation, digitWidth);
}

std::vector<std::string> TdxfFile::WriteCommands() {
  FPipeRecords.clear();
  size_t nameWidth = 0;
  for (const TdxfLine& pipe : FPipes) nameWidth = std::max(nameWidth, pipe.PipeName.size());
  for (const TdxfNodePoint& node : FNodes) nameWidth = std::max(nameWidth, node.Name.size());
  ++nameWidth;

  std::vector<double> lengths(FPipes.size());
  int mainDigits = 0, lineDigits = 0;
  for (size_t i = 0; i < FPipes.size(); ++i) {
    const TdxfLine& pipe = FPipes[i];
    double drawn = Distance(FNodes[pipe.Node1].Point, FNodes[pipe.Node2].Point);
    lengths[i] = ConvertLength(drawn, Options.BaseUnit, Units.Length);
    int& digits = pipe.Main ? mainDigits : lineDigits;
    digits = std::max(digits, IntegerDigits(lengths[i]));
  }

  std::vector<std::string> out;
  auto writePipes = [&](bool mains) {
    for (size_t i = 0; i < FPipes.size(); ++i) {
      const TdxfLine& pipe = FPipes[i];
      if (pipe.Main != mains || pipe.Node1 == pipe.Node2) continue;
      std::string length = LengthField(FormatLength(Units.Length, lengths[i]), lengths[i], mains ? mainDigits : lineDigits);
      out.push_back(PipeCommand(pipe.PipeName, FNodes[pipe.Node1].Name, FNodes[pipe.Node2].Name, length, pipe.SizeText,
                                pipe.Fittings, nameWidth));
      FPipeRecords.push_back({pipe.PipeName, pipe.Handle, pipe.SizeTextHandle});
    }
  };
  bool anyMain = std::any_of(FPipes.begin(), FPipes.end(), [](const TdxfLine& p) { return p.Main; });
  bool anyLine = std::any_of(FPipes.begin(), FPipes.end(), [](const TdxfLine& p) { return !p.Main; });
  if (anyMain) {
    out.push_back("// Main Pipe");
    writePipes(true);
  }
  if (anyLine) {
    out.push_back("");
    out.push_back("// Line Pipe");
    writePipes(false);
  }
  if (FNodes.empty()) return out;

  int elevationDigits = 0;
  for (const TdxfNodePoint& node : FNodes) {
    double elevation = ConvertLength(node.Point.Z, Options.BaseUnit, Units.Elevation);
    elevationDigits = std::max(elevationDigits, IntegerDigits(elevation) + (elevation < 0 ? 1 : 0));
  }
  std::string kFactor = Choices.KFactor.empty() ? DefaultKFactorText(Units.KFactor) : Choices.KFactor;
  std::string discharge = Choices.Discharge.empty() ? DefaultDischargeText(Units.Flow) : Choices.Discharge;
  out.push_back("");
  out.push_back("// Node definitions");
  for (const TdxfNodePoint& node : FNodes) {
    std::string elevation = ElevationText(node, elevationDigits);
    out.push_back(node.Head ? HeadCommand(node.Name, elevation, discharge, kFactor, nameWidth)
                            : NodeCommand(node.Name, elevation, nameWidth));
  }
  return out;
}

std::vector<TdxfNode> TdxfFile::NodeRecords() const {
  std::vector<TdxfNode> records;
  records.reserve(FNodes.size());
  for (const TdxfNodePoint& node : FNodes) records.push_back({node.Name, node.Point.X, node.Point.Y, node.Point.Z});
  return records;
}

}  // namespace pelmora

#include "dxf/dxf_writer.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <unordered_map>

#include "dxf/dxf_edit_plan.h"
#include "dxf/dxf_save.h"
#include "input/units/text.h"
#include "input/units/units.h"

namespace pelmora {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr uint64_t kHandleStartWithoutSeed = 1000000;
constexpr const char* kDefaultTextHeight = "12";

struct TOwnLayer {
  const char* Name;
  int Colour;
};
// In the order they are made; each is inserted at the same place, so the file lists them reversed.
constexpr TOwnLayer kOwnLayers[] = {{kNodeNamesLayer, 1}, {kPipeNamesLayer, 4}, {kFlowDiagramLayer, 5}};

std::optional<uint64_t> ParseHex(std::string_view text) {
  uint64_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string HexText(uint64_t value) {
  char buffer[20];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, 16);
  std::string text(buffer, end);
  return UpperCase(text);
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  if (from.empty() || from == to) return;
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

std::string Degrees(double radians) { return std::to_string(static_cast<long>(std::lround(radians * 180 / kPi))); }

class TUpdateWriter {
 public:
  TUpdateWriter(const TDxfLineList& lines, const TDxfUpdateData& data, const TDxfOptions& options)
      : L(lines), D(data), O(options), Plan(lines) {
    std::string version = L.HeaderVariable("$ACADVER");
    // Drawings of release 13 on carry subclass markers and owner handles; release 12 has none.
    FSubclasses = version.size() >= 6 && UpperCase(version) > "AC1009";
    FTextHeight = L.HeaderVariable("$TEXTSIZE");
    if (FTextHeight.empty()) FTextHeight = kDefaultTextHeight;
    FTextStyle = L.HeaderVariable("$TEXTSTYLE");
    FModelSpace = BlockRecordHandle("*Model_Space");
  }

  std::string Text() {
    AddLayers();
    RemoveOldOutput();
    if (O.AddFlowArrow) AddArrowBlock();
    if (O.UpdateSizeText) UpdateSizeTexts();
    AddEntities();
    UpdateHandleSeed();
    return Plan.Text();
  }

 private:
  // Handles continue from $HANDSEED, but never below a handle the drawing already uses.
  std::string NewHandle() {
    if (!FNextHandle) {
      std::optional<uint64_t> seed = ParseHex(L.HeaderVariable("$HANDSEED"));
      uint64_t next = seed.value_or(kHandleStartWithoutSeed);
      for (size_t pair = 0; pair < L.PairCount(); ++pair)
        if (L.Code(pair) == 5 || L.Code(pair) == 105)
          if (std::optional<uint64_t> used = ParseHex(L.TrimmedValue(pair)); used && *used >= next) next = *used + 1;
      FNextHandle = next;
    }
    return HexText((*FNextHandle)++);
  }

  // The handle of a table header (0 TABLE, 2 name) and the pair of its entry count.
  struct TTableHeader {
    std::string Handle;
    size_t CountPair = kNoPair;
  };
  TTableHeader TableHeader(size_t namePair) const {
    TTableHeader header;
    for (size_t pair = namePair + 1; pair < L.PairCount() && L.Code(pair) != 0; ++pair) {
      if (L.Code(pair) == 5 && header.Handle.empty()) header.Handle = L.TrimmedValue(pair);
      if (L.Code(pair) == 70 && header.CountPair == kNoPair) header.CountPair = pair;
    }
    return header;
  }

  void IncreaseCount(size_t countPair, int added) {
    if (countPair == kNoPair || added == 0) return;
    std::string_view text = L.TrimmedValue(countPair);
    long count = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (error == std::errc() && end == text.data() + text.size()) Plan.Replace(countPair, std::to_string(count + added));
  }

  std::string BlockRecordHandle(std::string_view name) const {
    for (size_t pair = L.Find(0, "BLOCK_RECORD"); pair != kNoPair; pair = L.Find(0, "BLOCK_RECORD", pair + 1)) {
      std::string handle;
      bool named = false;
      for (size_t group = pair + 1; group < L.PairCount() && L.Code(group) != 0; ++group) {
        if (L.Code(group) == 5) handle = L.TrimmedValue(group);
        if (L.Code(group) == 2 && L.ValueIs(group, name)) named = true;
      }
      if (named) return handle;
    }
    return {};
  }

  // The first value of a group within the object starting at `pair`.
  std::string ObjectValue(size_t pair, int code) const {
    for (size_t group = pair + 1; group < L.PairCount() && L.Code(group) != 0; ++group)
      if (L.Code(group) == code) return std::string(L.TrimmedValue(group));
    return {};
  }

  void AddLayers() {
    size_t firstLayer = L.Find(0, "LAYER");
    if (firstLayer == kNoPair) return;
    size_t tableName = kNoPair;
    for (size_t pair = L.Find(2, "LAYER"); pair != kNoPair && pair < firstLayer; pair = L.Find(2, "LAYER", pair + 1))
      tableName = pair;
    TTableHeader table = tableName != kNoPair ? TableHeader(tableName) : TTableHeader{};
    size_t tableEnd = L.Find(0, "ENDTAB", firstLayer);
    std::string plotStyle = ObjectValue(firstLayer, 390);

    std::vector<TDxfGroups> records;
    for (const TOwnLayer& layer : kOwnLayers) {
      size_t present = L.Find(2, layer.Name, firstLayer);
      if (present != kNoPair && (tableEnd == kNoPair || present < tableEnd)) continue;
      TDxfGroups record;
      record.Add(0, "LAYER");
      record.Add(5, NewHandle());
      if (FSubclasses) {
        if (!table.Handle.empty()) record.Add(330, table.Handle);
        record.Add(100, "AcDbSymbolTableRecord");
        record.Add(100, "AcDbLayerTableRecord");
      }
      record.Add(2, layer.Name);
      record.Add(70, "0");
      record.Add(62, std::to_string(layer.Colour));
      record.Add(6, "CONTINUOUS");
      if (FSubclasses) {
        record.Add(370, "-3");
        if (!plotStyle.empty()) record.Add(390, plotStyle);
      }
      records.push_back(record);
    }
    for (auto record = records.rbegin(); record != records.rend(); ++record) Plan.InsertBefore(firstLayer, *record);
    IncreaseCount(table.CountPair, static_cast<int>(records.size()));
  }

  bool IsOwnLayer(std::string_view layer) const {
    for (const TOwnLayer& own : kOwnLayers)
      if (SameTextView(layer, own.Name)) return true;
    return false;
  }

  // Everything on the program's layers from an earlier update goes, so an update can be repeated.
  void RemoveOldOutput() {
    auto [first, end] = L.Section("ENTITIES");
    if (first == kNoPair) return;
    for (size_t pair = first; pair < end;) {
      size_t next = L.NextObject(pair);
      if (L.Code(pair) == 0 && IsOwnLayer(ObjectValue(pair, 8))) {
        bool hasFollowers = L.ValueIs(pair, "INSERT") || L.ValueIs(pair, "POLYLINE");
        // Attributes and vertices belong to the entity before them.
        while (hasFollowers && next < end &&
               (L.ValueIs(next, "ATTRIB") || L.ValueIs(next, "VERTEX") || L.ValueIs(next, "SEQEND")))
          next = L.NextObject(next);
        Plan.Delete(pair, next);
      }
      pair = next;
    }
  }

  void AddEntityStart(TDxfGroups& groups, const char* kind, const std::string& owner, const std::string& layer,
                      const char* subclass) {
    groups.Add(0, kind);
    groups.Add(5, NewHandle());
    if (FSubclasses) {
      if (!owner.empty()) groups.Add(330, owner);
      groups.Add(100, "AcDbEntity");
    }
    groups.Add(8, layer);
    if (FSubclasses && subclass) groups.Add(100, subclass);
  }

  static void AddPoint(TDxfGroups& groups, int base, double x, double y, double z) {
    groups.Add(base, DxfNumber(x));
    groups.Add(base + 10, DxfNumber(y));
    groups.Add(base + 20, DxfNumber(z));
  }

  // A unit arrow along +x: a solid triangle with its tip at x = 1 and a tail line back to x = -1.
  void AddArrowBlock() {
    if (L.Find(2, kFlowArrowBlock) != kNoPair) return;
    auto [blocksFirst, blocksEnd] = L.Section("BLOCKS");
    if (blocksFirst == kNoPair || blocksEnd >= L.PairCount()) return;
    std::string record;
    if (FSubclasses) {
      size_t tableName = L.Find(2, "BLOCK_RECORD");
      size_t tableEnd = tableName == kNoPair ? kNoPair : L.Find(0, "ENDTAB", tableName);
      if (tableEnd == kNoPair) return;
      TTableHeader table = TableHeader(tableName);
      record = NewHandle();
      TDxfGroups entry;
      entry.Add(0, "BLOCK_RECORD");
      entry.Add(5, record);
      entry.Add(330, table.Handle.empty() ? "1" : table.Handle);
      entry.Add(100, "AcDbSymbolTableRecord");
      entry.Add(100, "AcDbBlockTableRecord");
      entry.Add(2, kFlowArrowBlock);
      entry.Add(340, "0");
      entry.Add(70, "0");  // unitless, so the arrow is never rescaled for the drawing's units
      entry.Add(280, "1");
      entry.Add(281, "0");
      Plan.InsertBefore(tableEnd, entry);
      IncreaseCount(table.CountPair, 1);
    }
    TDxfGroups block;
    AddEntityStart(block, "BLOCK", record, "0", "AcDbBlockBegin");
    block.Add(2, kFlowArrowBlock);
    block.Add(70, "0");
    block.Add(10, "0.0");
    block.Add(20, "0.0");
    block.Add(30, "0.0");
    block.Add(3, kFlowArrowBlock);
    block.Add(1, "");
    AddEntityStart(block, "SOLID", record, "0", "AcDbTrace");
    AddPoint(block, 10, 0, -0.5, 0);
    AddPoint(block, 11, 0, 0.5, 0);
    AddPoint(block, 12, 1, 0, 0);
    AddPoint(block, 13, 1, 0, 0);
    AddEntityStart(block, "LINE", record, "0", "AcDbLine");
    AddPoint(block, 10, 0, 0, 0);
    AddPoint(block, 11, -1, 0, 0);
    AddEntityStart(block, "ENDBLK", record, "0", "AcDbBlockEnd");
    Plan.InsertBefore(blocksEnd, block);
  }

  std::string SizeTextFor(const std::string& sizeWord) const {
    std::string text = sizeWord;
    ReplaceAll(text, ".25", O.OneQuarter);
    ReplaceAll(text, ".5", O.OneHalf);
    ReplaceAll(text, ".75", O.ThreeQuarter);
    return text;
  }

  void UpdateSizeTexts() {
    auto [first, end] = L.Section("ENTITIES");
    if (first == kNoPair) return;
    std::unordered_map<std::string, size_t> entityByHandle;
    for (size_t pair = first; pair < end; pair = L.NextObject(pair)) {
      std::string handle = ObjectValue(pair, 5);
      if (!handle.empty()) entityByHandle.emplace(UpperCase(handle), pair);
    }
    for (const TDxfPipeUpdate& pipe : D.Pipes) {
      if (!pipe.SizeValid || pipe.Record.SizeTextHandle.empty()) continue;
      auto entity = entityByHandle.find(UpperCase(pipe.Record.SizeTextHandle));
      if (entity == entityByHandle.end() || Plan.Deleted(entity->second)) continue;
      for (size_t group = entity->second + 1; group < end && L.Code(group) != 0; ++group)
        if (L.Code(group) == 1) {
          Plan.Replace(group, SizeTextFor(pipe.SizeWord));
          break;
        }
    }
  }

  void AddText(TDxfGroups& out, const std::string& layer, double x, double y, double z,
               std::optional<double> angle, const std::string& value) {
    AddEntityStart(out, "TEXT", FModelSpace, layer, "AcDbText");
    if (!FTextStyle.empty()) out.Add(7, FTextStyle);
    AddPoint(out, 10, x, y, z);
    out.Add(40, FTextHeight);
    if (angle) out.Add(50, Degrees(*angle));
    out.Add(1, value);
    out.Add(72, "4");
    AddPoint(out, 11, x, y, z);
    if (FSubclasses) out.Add(100, "AcDbText");
  }

  void AddPipeOutput(TDxfGroups& out, const TDxfPipeUpdate& pipe,
                     const std::unordered_map<std::string, const TdxfNode*>& nodes) {
    auto from = nodes.find(UpperCase(pipe.FromNode));
    auto to = nodes.find(UpperCase(pipe.ToNode));
    if (from == nodes.end() || to == nodes.end()) return;
    const TdxfNode* first = from->second;
    const TdxfNode* second = to->second;
    // With results the direction runs downstream.
    if (D.HasResults && pipe.Flow < 0) std::swap(first, second);

    double dx = second->X - first->X, dy = second->Y - first->Y;
    double theta = kPi / 2;
    if (dx != 0 || dy != 0) {
      theta = std::atan2(dy, dx);
    } else {
      // Seen end-on in plan (a riser or a drop): the arrow shows whether the water rises or falls.
      if (O.NoFlowVertLine) return;
      if (D.HasResults && second->Z < first->Z) theta = -kPi / 2;
    }
    double arrowAngle = theta;
    if (theta > kPi / 2) theta -= kPi;
    if (theta < -kPi / 2) theta += kPi;

    double mx = (first->X + second->X) / 2, my = (first->Y + second->Y) / 2, mz = (first->Z + second->Z) / 2;
    double offset = 1.5 * ParseDxfNumber(FTextHeight).value_or(0);
    double tx = mx + offset * std::cos(theta + kPi / 2), ty = my + offset * std::sin(theta + kPi / 2);
    double ax = mx + offset * std::cos(theta - kPi / 2), ay = my + offset * std::sin(theta - kPi / 2);

    if (O.AddPipeFlow && D.HasResults)
      AddText(out, kFlowDiagramLayer, tx, ty, mz, theta, "Q=" + FormatFlow(std::fabs(pipe.Flow)));
    if (O.AddFlowArrow && D.HasResults) {
      AddEntityStart(out, "INSERT", FModelSpace, kFlowDiagramLayer, "AcDbBlockReference");
      out.Add(2, kFlowArrowBlock);
      AddPoint(out, 10, ax, ay, mz);
      out.Add(41, FTextHeight);
      out.Add(42, FTextHeight);
      out.Add(43, FTextHeight);
      out.Add(50, Degrees(arrowAngle));
    }
    if (O.AddPipeNames) AddText(out, kPipeNamesLayer, tx, ty, mz, theta, pipe.Record.Name);
  }

  void AddNodeOutput(TDxfGroups& out, const TDxfNodeUpdate& node) {
    const TdxfNode& at = node.Record;
    if (O.AddNodeNames) AddText(out, kNodeNamesLayer, at.X, at.Y, at.Z, std::nullopt, at.Name);
    if (D.HasResults && O.AddNodeDischarge && node.Flow != 0)
      AddText(out, kFlowDiagramLayer, at.X, at.Y, at.Z, std::nullopt, "q=" + FormatFlow(node.Flow));
  }

  void AddEntities() {
    auto [first, end] = L.Section("ENTITIES");
    if (first == kNoPair || end >= L.PairCount()) return;
    std::unordered_map<std::string, const TdxfNode*> nodes;
    for (const TDxfNodeUpdate& node : D.Nodes) nodes.emplace(UpperCase(node.Record.Name), &node.Record);
    TDxfGroups out;
    for (const TDxfPipeUpdate& pipe : D.Pipes) AddPipeOutput(out, pipe, nodes);
    for (const TDxfNodeUpdate& node : D.Nodes) AddNodeOutput(out, node);
    if (!out.Empty()) Plan.InsertBefore(end, out);
  }

  void UpdateHandleSeed() {
    if (!FNextHandle) return;
    size_t seed = L.Find(9, "$HANDSEED");
    if (seed != kNoPair && seed + 1 < L.PairCount() && L.Code(seed + 1) == 5) Plan.Replace(seed + 1, HexText(*FNextHandle));
  }

  const TDxfLineList& L;
  const TDxfUpdateData& D;
  const TDxfOptions& O;
  TDxfEditPlan Plan;
  bool FSubclasses = false;
  std::string FTextHeight, FTextStyle, FModelSpace;
  std::optional<uint64_t> FNextHandle;
};

}  // namespace

std::string BuildDxfUpdate(const TDxfLineList& drawing, const TDxfUpdateData& data, const TDxfOptions& options) {
  return TUpdateWriter(drawing, data, options).Text();
}

bool WriteDxfUpdate(const TDxfLineList& drawing, const TDxfUpdateData& data, const TDxfOptions& options,
                    const std::string& outputFile, std::string& message) {
  return SaveTextReplacing(outputFile, BuildDxfUpdate(drawing, data, options), message);
}

}  // namespace pelmora

#include "dxf/dxf_drawing.h"

#include <string_view>

namespace pelmora {

namespace {

// Visits the groups of the object starting at `pair` (its code 0 group excluded), leaving out
// application groups enclosed by 102 braces; returns the pair of the next object.
template <typename Visit>
size_t ForEachGroup(const TDxfLineList& lines, size_t pair, Visit visit) {
  size_t next = pair + 1;
  bool inApplicationGroup = false;
  for (; next < lines.PairCount() && lines.Code(next) != 0; ++next) {
    if (lines.Code(next) == 102) {
      inApplicationGroup = lines.TrimmedValue(next).starts_with("{");
      continue;
    }
    if (!inApplicationGroup) visit(lines.Code(next), next);
  }
  return next;
}

double NumberOr(const TDxfLineList& lines, size_t pair, double fallback) {
  return lines.Number(pair).value_or(fallback);
}

bool ContainsNoCase(std::string_view text, std::string_view part) {
  for (size_t i = 0; i + part.size() <= text.size(); ++i)
    if (SameTextView(text.substr(i, part.size()), part)) return true;
  return false;
}

std::vector<std::string> ReadLayers(const TDxfLineList& lines) {
  std::vector<std::string> layers;
  size_t first = lines.Find(0, "LAYER");
  if (first == kNoPair) return layers;
  size_t end = lines.Find(0, "ENDTAB", first);
  if (end == kNoPair) end = lines.PairCount();
  for (size_t pair = first; pair < end;) {
    bool isLayer = lines.ValueIs(pair, "LAYER");
    std::string name;
    pair = ForEachGroup(lines, pair, [&](int code, size_t group) {
      if (code == 2 && name.empty()) name = lines.TrimmedValue(group);
    });
    if (isLayer && !name.empty()) layers.push_back(name);
  }
  return layers;
}

std::vector<std::string> ReadBlocks(const TDxfLineList& lines) {
  std::vector<std::string> blocks;
  for (size_t pair = lines.Find(0, "BLOCK"); pair != kNoPair; pair = lines.Find(0, "BLOCK", pair + 1)) {
    std::string name;
    double flags = 0;
    ForEachGroup(lines, pair, [&](int code, size_t group) {
      if (code == 2) name = lines.TrimmedValue(group);
      if (code == 70) flags = NumberOr(lines, group, 0);
    });
    if (!name.empty() && flags == 0 && !ContainsNoCase(name, "Model_Space") && !ContainsNoCase(name, "Paper_Space"))
      blocks.push_back(name);
  }
  return blocks;
}

// Groups every entity kind carries: handle, layer and the paper-space flag.
struct TCommonGroups {
  std::string Handle, Layer;
  bool PaperSpace = false;
  bool Read(const TDxfLineList& lines, int code, size_t group) {
    if (code == 5) Handle = lines.TrimmedValue(group);
    else if (code == 8) Layer = lines.TrimmedValue(group);
    else if (code == 67) PaperSpace = NumberOr(lines, group, 0) == 1;
    else return false;
    return true;
  }
};

void ReadPoint(const TDxfLineList& lines, int code, size_t group, int base, TDxfPoint& point) {
  if (code == base) point.X = NumberOr(lines, group, 0);
  if (code == base + 10) point.Y = NumberOr(lines, group, 0);
  if (code == base + 20) point.Z = NumberOr(lines, group, 0);
}

void AddSegments(const TCommonGroups& common, const std::vector<TDxfPoint>& vertices, bool closed,
                 double thickness, double width, std::vector<TdxfLine>& out) {
  size_t count = vertices.size();
  if (count < 2) return;
  size_t segments = closed ? count : count - 1;
  for (size_t i = 0; i < segments; ++i) {
    TdxfLine line;
    line.Handle = common.Handle;
    line.Layer = common.Layer;
    line.Start = vertices[i];
    line.End = vertices[(i + 1) % count];
    line.Thickness = thickness;
    line.Width = width;
    line.FromPolyline = true;
    out.push_back(std::move(line));
  }
}

class TEntityReader {
 public:
  TEntityReader(const TDxfLineList& lines, TDxfDrawing& drawing) : L(lines), D(drawing) {}

  void ReadSection(size_t first, size_t end) {
    for (size_t pair = first; pair < end;) {
      if (L.Code(pair) != 0) {
        ++pair;
        continue;
      }
      std::string_view kind = L.TrimmedValue(pair);
      if (SameTextView(kind, "LINE")) pair = ReadLine(pair);
      else if (SameTextView(kind, "LWPOLYLINE")) pair = ReadLwPolyline(pair);
      else if (SameTextView(kind, "POLYLINE")) pair = ReadPolyline(pair, end);
      else if (SameTextView(kind, "INSERT")) pair = ReadInsert(pair);
      else if (SameTextView(kind, "TEXT")) pair = ReadText(pair);
      else pair = L.NextObject(pair);
    }
  }

 private:
  size_t ReadLine(size_t pair) {
    TCommonGroups common;
    TdxfLine line;
    size_t next = ForEachGroup(L, pair, [&](int code, size_t group) {
      if (common.Read(L, code, group)) return;
      ReadPoint(L, code, group, 10, line.Start);
      ReadPoint(L, code, group, 11, line.End);
      if (code == 39) line.Thickness = NumberOr(L, group, 0);
    });
    if (common.PaperSpace) return next;
    line.Handle = common.Handle;
    line.Layer = common.Layer;
    D.Lines.push_back(std::move(line));
    return next;
  }

  size_t ReadLwPolyline(size_t pair) {
    TCommonGroups common;
    std::vector<TDxfPoint> vertices;
    double thickness = 0, width = 0, elevation = 0;
    int flags = 0;
    size_t next = ForEachGroup(L, pair, [&](int code, size_t group) {
      if (common.Read(L, code, group)) return;
      if (code == 10) vertices.push_back({NumberOr(L, group, 0), 0, 0});
      else if (code == 20 && !vertices.empty()) vertices.back().Y = NumberOr(L, group, 0);
      else if (code == 38) elevation = NumberOr(L, group, 0);
      else if (code == 39) thickness = NumberOr(L, group, 0);
      else if (code == 43) width = NumberOr(L, group, 0);
      else if (code == 70) flags = static_cast<int>(NumberOr(L, group, 0));
    });
    if (common.PaperSpace) return next;
    for (TDxfPoint& vertex : vertices) vertex.Z = elevation;
    AddSegments(common, vertices, (flags & 1) != 0, thickness, width, D.Polylines);
    return next;
  }

  // The older heavy polyline: its vertices follow as VERTEX entities up to a SEQEND.
  size_t ReadPolyline(size_t pair, size_t end) {
    constexpr int kClosed = 1, k3D = 8, kMesh = 16, kPolyface = 64;
    TCommonGroups common;
    double thickness = 0, width = 0, elevation = 0;
    int flags = 0;
    size_t next = ForEachGroup(L, pair, [&](int code, size_t group) {
      if (common.Read(L, code, group)) return;
      if (code == 30) elevation = NumberOr(L, group, 0);
      else if (code == 39) thickness = NumberOr(L, group, 0);
      else if (code == 40) width = NumberOr(L, group, 0);
      else if (code == 70) flags = static_cast<int>(NumberOr(L, group, 0));
    });
    std::vector<TDxfPoint> vertices;
    while (next < end && L.ValueIs(next, "VERTEX")) {
      TDxfPoint vertex;
      next = ForEachGroup(L, next, [&](int code, size_t group) { ReadPoint(L, code, group, 10, vertex); });
      if (!(flags & k3D)) vertex.Z = elevation;
      vertices.push_back(vertex);
    }
    if (next < end && L.ValueIs(next, "SEQEND")) next = L.NextObject(next);
    if (common.PaperSpace || (flags & (kMesh | kPolyface))) return next;
    AddSegments(common, vertices, (flags & kClosed) != 0, thickness, width, D.Polylines);
    return next;
  }

  size_t ReadInsert(size_t pair) {
    TCommonGroups common;
    TdxfBlock insert;
    size_t next = ForEachGroup(L, pair, [&](int code, size_t group) {
      if (common.Read(L, code, group)) return;
      ReadPoint(L, code, group, 10, insert.Point);
      if (code == 2) insert.Name = L.TrimmedValue(group);
    });
    if (common.PaperSpace) return next;
    insert.Handle = common.Handle;
    insert.Layer = common.Layer;
    D.Inserts.push_back(std::move(insert));
    return next;
  }

  size_t ReadText(size_t pair) {
    TCommonGroups common;
    TdxfText text;
    size_t next = ForEachGroup(L, pair, [&](int code, size_t group) {
      if (common.Read(L, code, group)) return;
      ReadPoint(L, code, group, 10, text.Point);
      if (code == 1) text.Text = L.TrimmedValue(group);
      if (code == 50) text.Rotation = NumberOr(L, group, 0);
    });
    if (common.PaperSpace) return next;
    text.Handle = common.Handle;
    text.Layer = common.Layer;
    D.Texts.push_back(std::move(text));
    return next;
  }

  const TDxfLineList& L;
  TDxfDrawing& D;
};

}  // namespace

TDxfDrawing ReadDrawing(const TDxfLineList& lines) {
  TDxfDrawing drawing;
  drawing.Layers = ReadLayers(lines);
  drawing.Blocks = ReadBlocks(lines);
  auto [first, end] = lines.Section("ENTITIES");
  if (first != kNoPair) TEntityReader(lines, drawing).ReadSection(first, end);
  return drawing;
}

}  // namespace pelmora

// The drawing objects the import needs: layers, head blocks, pipe lines, inserts and texts.
#pragma once

#include <string>
#include <vector>

#include "dxf/dxf_geometry.h"
#include "dxf/dxf_line_list.h"

namespace pelmora {

struct TdxfObject {
  std::string Handle;  // group 5
  std::string Layer;   // group 8, trimmed
};

// A pipe candidate: one LINE, or one segment of a polyline.
struct TdxfLine : TdxfObject {
  TDxfPoint Start, End;
  double Thickness = 0;     // group 39
  double Width = 0;         // group 43
  bool FromPolyline = false;
  std::string PipeName;
  bool Main = false;
  int Node1 = -1, Node2 = -1;  // indices into the node list
  double Size = 0;             // nominal size, project size unit
  std::string SizeText;
  std::string SizeTextHandle;
  TDxfPoint Mid;
  double Direction = 0;        // degrees, 0 to 360
  std::string Fittings;        // codes, each preceded by a blank
};

struct TdxfText : TdxfObject {
  TDxfPoint Point;
  double Rotation = 0;  // degrees
  std::string Text;
};

// An INSERT of a block.
struct TdxfBlock : TdxfObject {
  TDxfPoint Point;
  std::string Name;
};

// Everything read from the drawing once, before any layer is chosen.
struct TDxfDrawing {
  std::vector<std::string> Layers;  // from the LAYER table, in file order
  std::vector<std::string> Blocks;  // named, ordinary block definitions
  std::vector<TdxfLine> Lines;      // LINEs of model space
  std::vector<TdxfLine> Polylines;  // segments of model-space polylines
  std::vector<TdxfText> Texts;
  std::vector<TdxfBlock> Inserts;
};

// Reads the tables, the block names and the model-space entities of a loaded drawing.
TDxfDrawing ReadDrawing(const TDxfLineList& lines);

}  // namespace pelmora

#include "input/builder.h"
#include "input/builder_messages.h"
#include "input/format_text.h"
#include "input/units/text.h"
#include "input/units/units.h"

namespace pelmora {

// Sets one end of a pipe from a node-name word; a name no node carries is reported.
void TZubFile::Builder::SetPipeEnd(TPipe& pipe, int index, std::string_view displayName, bool fromEnd) {
  if (!CheckParam(index, displayName)) return;
  const std::string name(Word(index).Text);
  TNode* node = Engine.FindNode(name);
  (fromEnd ? pipe.FromName : pipe.ToName) = name;
  (fromEnd ? pipe.FromNode : pipe.ToNode) = node;
  if (node == nullptr) AddError(kCommandErrorCode, FormatText(kNodeUndefined, {CommandWord(), name}), index);
}

// True when the pipe may take the name of the word: given, valid and not yet a pipe's.
bool TZubFile::Builder::NamePipe(TPipe& pipe, int index) {
  if (!CheckParam(index, "pipe name")) return false;
  const std::string name(Word(index).Text);
  if (Engine.FindPipe(name)) {
    AddError(kCommandErrorCode, FormatText(kPipeUsed, {CommandWord(), name}), index);
    return false;
  }
  pipe.Name = name;
  return true;
}

void TZubFile::Builder::PipePass() { ForEachLine(cmPipe, &Builder::ReadPipe); }

void TZubFile::Builder::ReadPipe() {
  auto pipe = std::make_unique<TPipe>();
  pipe->Line = Line;
  pipe->Material = Project.FLineMaterial[Line];
  pipe->CFactor = Project.FLineCFactor[Line];
  pipe->HazenPipe = Project.FLineHazen[Line] != 0;
  const bool named = NamePipe(*pipe, 1);
  SetPipeEnd(*pipe, 2, "starting node name", true);
  SetPipeEnd(*pipe, 3, "ending node name", false);
  if (CheckParam(4, "pipe length")) pipe->Length = Word(4).Value;
  if (CheckParam(5, "nominal diameter")) ParseSize(Word(5).Text, Project.Units.Size, pipe->NominalSize);
  ReadFittings(*pipe, 6);
  if (Project.FOptions.RepNotePipe) pipe->Comment = LineNote(Line);
  if (named) Engine.AddPipe(std::move(pipe));
}

// Fitting codes up to the first comment word; VB and VE mark the velocity-pressure ends.
void TZubFile::Builder::ReadFittings(TPipe& pipe, int first) {
  for (int k = first; HasParameter(k); ++k) {
    const std::string code(Word(k).Text);
    if (!Word(k).Valid)
      AddError(kCommandErrorCode, FormatText(kInvalidParameter, {CommandWord(), code, "fitting code"}), k);
    else if (SameText(code, "VB"))
      pipe.VelocityAtBegin = true;
    else if (SameText(code, "VE"))
      pipe.VelocityAtEnd = true;
    else
      pipe.Fittings.push_back(code);
  }
}

void TZubFile::Builder::PipeCopyPass() { ForEachLine(cmPC, &Builder::CopyPipe); }

void TZubFile::Builder::CopyPipe() {
  if (!CheckParam(1, "pipe name")) return;
  const TPipe* source = Engine.FindPipe(Word(1).Text);
  if (source == nullptr) return;
  for (int k = 2; HasParameter(k); k += 3) {
    auto copy = std::make_unique<TPipe>();
    copy->Line = Line;
    copy->Length = source->Length;
    copy->NominalSize = source->NominalSize;
    copy->Material = source->Material;
    copy->CFactor = source->CFactor;
    copy->Fittings = source->Fittings;
    copy->VelocityAtBegin = source->VelocityAtBegin;
    copy->VelocityAtEnd = source->VelocityAtEnd;
    const bool named = NamePipe(*copy, k);
    SetPipeEnd(*copy, k + 1, "starting node name", true);
    SetPipeEnd(*copy, k + 2, "ending node name", false);
    if (copy->FromNode && copy->FromNode == copy->ToNode)
      AddError(kCommandErrorCode, FormatText(kSameEnds, {CommandWord()}), k + 2);
    if (named) Engine.AddPipe(std::move(copy));
  }
}

void TZubFile::Builder::PipeChangePass() { ForEachLine(cmChangePipe, &Builder::ChangePipe); }

void TZubFile::Builder::ChangePipe() {
  const bool named = CheckParam(1, "pipe name");
  const bool length = CheckParam(2, "pipe length");
  if (!(CheckParam(3, "pipe size") && named && length)) return;
  TPipe* pipe = Engine.FindPipe(Word(1).Text);
  if (pipe == nullptr) {
    AddError(kCommandErrorCode, FormatText(kNotPreviouslyUsed, {CommandWord(), "pipe name", Word(1).Text}), 1);
    return;
  }
  pipe->Material = Project.FLineMaterial[Line];
  pipe->CFactor = Project.FLineCFactor[Line];
  pipe->VelocityAtBegin = false;
  pipe->VelocityAtEnd = false;
  pipe->Fittings.clear();
  pipe->Length = Word(2).Value;
  pipe->InsideDiameter = Word(3).Value;
  ParseSize(Word(3).Text, Project.Units.Size, pipe->NominalSize);
  ReadFittings(*pipe, 4);
}

}  // namespace pelmora

#include <algorithm>

#include "input/zub_file.h"
#include "input/zub_file_io.h"
#include "input/zub_file_io_disk.h"
#include "input/zub_file_io_tags.h"
#include "input/zub_file_io_text.h"

namespace pelmora {

namespace {

// A header value is one line of the file: a line break inside it would cut the value and could
// even end the header early, so it is written as a blank.
std::string OneLine(std::string value) {
  std::replace_if(value.begin(), value.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return value;
}

// The report texts may still sit in the older remote-area field of the project.
const std::string& SystemInfoText(const TZubFile& project, TSystemInfoField field) {
  const std::string& text = project.SystemInfo[field];
  return field == siRemoteAreaLocation && text.empty() ? project.RADescription : text;
}

class TProjectFileWriter {
 public:
  explicit TProjectFileWriter(const TZubFile& project) : FProject(project) {}

  std::vector<std::string> Lines(const std::vector<std::string>& body) {
    FLines = {kHeaderLine};
    AddIfSet("<JOBNO", FProject.JobNo);
    AddLists(ContactListTags());
    AddIfSet("<REPHEADER", FProject.RepHeader);
    AddLists(OverrideListTags());
    AddUnits();
    Add("<FRICTIONFORMULA", FrictionWord(FProject.FrictionFormula));
    AddEquivalentKs();
    AddFlags();
    AddLiquid();
    AddIfSet("<BASEOFRISER", FProject.BaseOfRiser);
    for (const TNameSeedTag& tag : NameSeedTags()) AddIfSet(tag.Tag, FProject.NameSeeds[tag.Seed]);
    for (const TSystemInfoTag& tag : SystemInfoTags()) AddIfSet(tag.Tag, SystemInfoText(FProject, tag.Field));
    AddDrawing();
    FLines.push_back(kBodyTag);
    FLines.insert(FLines.end(), body.begin(), body.end());
    return std::move(FLines);
  }

 private:
  void Add(const std::string& tag, const std::string& value) { FLines.push_back(tag + " " + OneLine(value) + ">"); }

  void AddIfSet(const std::string& tag, const std::string& value) {
    if (!value.empty()) Add(tag, value);
  }

  void AddLists(const std::vector<TListTag>& tags) {
    for (const TListTag& tag : tags)
      for (const std::string& entry : FProject.*tag.List) Add(tag.Tag, entry);
  }

  void AddUnits() {
    for (const TUnitTag& tag : UnitTags()) Add(tag.Tag, tag.Word(FProject.Units.*tag.Code));
  }

  void AddEquivalentKs() {
    for (const TEquivKFile& equivK : FProject.EquivK) {
      Add("<EQUIVK", equivK.Code);
      Add("<EQUIVKDESC", equivK.Description);
      for (const std::string& line : equivK.Lines) Add("<EQUIVKDEF", line);
    }
  }

  void AddFlags() {
    for (const TFlagTag& tag : FlagTags())
      if (FProject.*tag.Flag) FLines.push_back(tag.Tag);
  }

  void AddLiquid() {
    Add("<KFACTORMULTIPLIER", FormatGeneral(FProject.KFactorMultiplier));
    Add("<LIQUID", FProject.Liquid.Name);
    Add("<LIQUIDP", FormatGeneral(FProject.Liquid.DensityUS));
    Add("<LIQUIDPSI", FormatGeneral(FProject.Liquid.DensitySI));
    Add("<LIQUIDU", FormatGeneral(FProject.Liquid.Viscosity));
  }

  // The drawing records are of use only together with the drawing they came from.
  void AddDrawing() {
    if (FProject.DxfFileName.empty() || FProject.DxfPipes.empty()) return;
    Add("<DXFFILENAME", FProject.DxfFileName);
    for (const TdxfPipe& pipe : FProject.DxfPipes)
      Add("<DXFPIPE", pipe.Name + " " + pipe.LineHandle + " " + pipe.SizeTextHandle + " ");
    for (const TdxfNode& node : FProject.DxfNodes)
      Add("<DXFNODE", node.Name + " " + FormatGeneral(node.X) + " " + FormatGeneral(node.Y) + " " +
                          FormatGeneral(node.Z) + " ");
  }

  const TZubFile& FProject;
  std::vector<std::string> FLines;
};

void DropTrailingEmptyLines(std::vector<std::string>& list) {
  while (!list.empty() && list.back().empty()) list.pop_back();
}

}  // namespace

std::vector<std::string> ProjectFileLines(const TZubFile& project, const std::vector<std::string>& body) {
  return TProjectFileWriter(project).Lines(body);
}

void TZubFile::SaveToFile(const std::string& fileName, const std::vector<std::string>* lines) {
  for (const TListTag& tag : ContactListTags()) DropTrailingEmptyLines(this->*tag.List);
  WriteTextFileSafely(fileName, ProjectFileLines(*this, lines ? *lines : Body));
}

}  // namespace pelmora

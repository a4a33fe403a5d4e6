#include <algorithm>
#include <functional>
#include <unordered_map>

#include "input/legacy_format.h"
#include "input/units/text.h"
#include "input/zub_file.h"
#include "input/zub_file_io.h"
#include "input/zub_file_io_tags.h"
#include "input/zub_file_io_text.h"

namespace pelmora {

namespace {

struct TReadState {
  TZubFile& Project;
  TLegacyStorage& Storage;
  TTagReading& Result;
  bool EquivKStarted = false;
};

using TTagAction = std::function<void(TReadState&, const std::string& value)>;
using TTagActions = std::unordered_map<std::string, TTagAction>;

struct TTextTag {
  const char* Tag;
  std::string TZubFile::*Text;
};

const std::vector<TTextTag> kTextTags = {{"<JOBNO", &TZubFile::JobNo},
                                         {"<REPHEADER", &TZubFile::RepHeader},
                                         {"<BASEOFRISER", &TZubFile::BaseOfRiser},
                                         {"<DXFFILENAME", &TZubFile::DxfFileName}};

// Tags of the older tag formats that fill the lists of today.
const std::vector<TListTag> kOlderListTags = {
    {"<CONTRACT1", &TZubFile::Contract}, {"<CONTRACT2", &TZubFile::Contract}, {"<CONTRACT3", &TZubFile::Contract},
    {"<CONTRACT4", &TZubFile::Contract}, {"<PROJECT1", &TZubFile::Project},   {"<PROJECT2", &TZubFile::Project},
    {"<PROJECT3", &TZubFile::Project},   {"<PROJECT4", &TZubFile::Project},   {"<HEADMAKE", &TZubFile::Head},
    {"<HEADMODEL", &TZubFile::Head},     {"<HEADSIZE", &TZubFile::Head},      {"<HEADK", &TZubFile::Head},
    {"<HEADTEMP", &TZubFile::Head}};

double NumberOr(const std::string& text, double fallback) {
  double value = 0;
  return ParseFloat(Trim(text), value) ? value : fallback;
}

void AddListTags(TTagActions& actions, const std::vector<TListTag>& tags) {
  for (const TListTag& tag : tags)
    actions[tag.Tag] = [list = tag.List](TReadState& state, const std::string& value) {
      (state.Project.*list).push_back(value);
    };
}

void AddPlainTags(TTagActions& actions) {
  for (const TTextTag& tag : kTextTags)
    actions[tag.Tag] = [text = tag.Text](TReadState& state, const std::string& value) {
      state.Project.*text = value;
    };
  AddListTags(actions, ContactListTags());
  AddListTags(actions, OverrideListTags());
  AddListTags(actions, kOlderListTags);
  for (const TFlagTag& tag : FlagTags())
    actions[tag.Tag] = [flag = tag.Flag](TReadState& state, const std::string&) { state.Project.*flag = true; };
  for (const TNameSeedTag& tag : NameSeedTags())
    actions[tag.Tag] = [seed = tag.Seed](TReadState& state, const std::string& value) {
      state.Project.NameSeeds[seed] = value;
    };
  for (const TSystemInfoTag& tag : SystemInfoTags())
    actions[tag.Tag] = [field = tag.Field](TReadState& state, const std::string& value) {
      state.Project.SystemInfo[field] = value;
      if (field == siRemoteAreaLocation) state.Project.RADescription = value;
    };
}

void AddSettingTags(TTagActions& actions) {
  for (const TUnitTag& tag : UnitTags())
    actions[tag.Tag] = [tag](TReadState& state, const std::string& value) {
      state.Project.Units.*tag.Code = static_cast<uint8_t>(tag.Read(value, FileDefaults().Units.*tag.Fallback));
    };
  actions["<FRICTIONFORMULA"] = [](TReadState& state, const std::string& value) {
    state.Project.FrictionFormula = FrictionCode(value, FileDefaults().FrictionFormula);
  };
  actions["<KFACTORMULTIPLIER"] = [](TReadState& state, const std::string& value) {
    state.Project.KFactorMultiplier = NumberOr(value, 1.0);
  };
  actions["<LIQUID"] = [](TReadState& state, const std::string& value) {
    state.Project.Liquid.Name = value;
    state.Result.LiquidNamed = !value.empty();
  };
  actions["<LIQUIDP"] = [](TReadState& state, const std::string& value) {
    state.Project.Liquid.DensityUS = NumberOr(value, 0);
  };
  actions["<LIQUIDPSI"] = [](TReadState& state, const std::string& value) {
    state.Project.Liquid.DensitySI = NumberOr(value, 0);
  };
  actions["<LIQUIDU"] = [](TReadState& state, const std::string& value) {
    state.Project.Liquid.Viscosity = NumberOr(value, 0);
  };
}

void AddEquivKTags(TTagActions& actions) {
  actions["<EQUIVK"] = [](TReadState& state, const std::string& value) {
    TEquivKFile equivK;
    equivK.Code = value;
    state.Project.EquivK.push_back(equivK);
    state.EquivKStarted = true;
  };
  actions["<EQUIVKDESC"] = [](TReadState& state, const std::string& value) {
    if (state.EquivKStarted) state.Project.EquivK.back().Description = value;
  };
  actions["<EQUIVKDEF"] = [](TReadState& state, const std::string& value) {
    if (state.EquivKStarted) state.Project.EquivK.back().Lines.push_back(value);
  };
}

void AddDrawingTags(TTagActions& actions) {
  actions["<DXFPIPE"] = [](TReadState& state, const std::string& value) {
    std::vector<std::string> words = SplitWords(value);
    words.resize(std::max<size_t>(words.size(), 3));
    state.Project.DxfPipes.push_back({words[0], words[1], words[2]});
  };
  // A node with a coordinate that cannot be read keeps its name and lies at the origin.
  actions["<DXFNODE"] = [](TReadState& state, const std::string& value) {
    std::vector<std::string> words = SplitWords(value);
    words.resize(std::max<size_t>(words.size(), 4));
    TdxfNode node{words[0]};
    if (!ParseFloat(words[1], node.X) || !ParseFloat(words[2], node.Y) || !ParseFloat(words[3], node.Z))
      node.X = node.Y = node.Z = 0;
    state.Project.DxfNodes.push_back(node);
  };
}

void AddLegacyStorageTags(TTagActions& actions) {
  for (const TLegacyTextTag& tag : LegacyStorageTextTags())
    actions[tag.Tag] = [text = tag.Text](TReadState& state, const std::string& value) {
      state.Storage.*text = value;
    };
  for (const TLegacyFlagTag& tag : LegacyStorageFlagTags())
    actions[tag.Tag] = [flag = tag.Flag](TReadState& state, const std::string&) { state.Storage.*flag = true; };
}

const TTagActions& TagActions() {
  static const TTagActions actions = [] {
    TTagActions all;
    AddPlainTags(all);
    AddSettingTags(all);
    AddEquivKTags(all);
    AddDrawingTags(all);
    AddLegacyStorageTags(all);
    return all;
  }();
  return actions;
}

// A file stores only the flags that are on. The head-area flag is cleared with the others (not
// left at the default of new projects): a project saved without head-area mode must not come back
// with its discharges read as areas.
void ClearStoredOnlyWhenSet(TZubFile& project) {
  project.RepHeader.clear();
  for (const TFlagTag& tag : FlagTags()) project.*tag.Flag = false;
  project.BaseOfRiser.clear();
  project.SystemInfo = {};
  project.RADescription.clear();
}

// The value starts after the tag and its blank and ends before the closing bracket.
std::string TagValue(const std::string& line, const std::string& tag) {
  if (line.size() < tag.size() + 2) return {};
  return line.substr(tag.size() + 1, line.size() - tag.size() - 2);
}

}  // namespace

TTagReading ReadProjectTags(TZubFile& project, const std::vector<std::string>& lines, TLegacyStorage& storage) {
  TTagReading result;
  TReadState state{project, storage, result};
  ClearStoredOnlyWhenSet(project);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (!lines[i].starts_with('<')) continue;
    const std::string line = Trim(lines[i]);
    const std::string tag = FirstWord(line);
    if (tag == kBodyTag) {
      result.BodyFound = true;
      result.BodyStart = i + 1;
      return result;
    }
    const auto action = TagActions().find(tag);
    if (action != TagActions().end()) action->second(state, TagValue(line, tag));
  }
  result.BodyStart = lines.size();
  return result;
}

void MatchLiquidWithDatabase(TZubFile& project, bool liquidNamed) {
  TMaterials& database = project.FMaterials ? *project.FMaterials : Materials();
  if (!liquidNamed) {
    if (!database.Liquids.empty()) project.Liquid = database.Liquids.front();
    return;
  }
  if (database.FindLiquid(project.Liquid.Name) >= 0) return;
  database.AddLiquid(project.Liquid);
  // The project is read whether or not the database can be written; the liquid stays in memory.
  database.SaveToFile();
}

}  // namespace pelmora

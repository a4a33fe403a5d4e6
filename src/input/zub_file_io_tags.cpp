#include "input/zub_file_io_tags.h"

namespace pelmora {

namespace {

std::string ShortLengthWord(int code) { return LengthWord(code, false); }

}  // namespace

const std::vector<TListTag>& ContactListTags() {
  static const std::vector<TListTag> tags = {{"<CONTRACT", &TZubFile::Contract},
                                             {"<PROJECT", &TZubFile::Project},
                                             {"<AHJ", &TZubFile::AHJ},
                                             {"<NOTES", &TZubFile::Notes},
                                             {"<HEAD", &TZubFile::Head}};
  return tags;
}

const std::vector<TListTag>& OverrideListTags() {
  static const std::vector<TListTag> tags = {{"<DESIGNEROR", &TZubFile::DesignerOR},
                                             {"<COMPANYOR", &TZubFile::CompanyOR}};
  return tags;
}

// Head area and density are length codes; an unknown word falls back to the length default.
const std::vector<TUnitTag>& UnitTags() {
  static const std::vector<TUnitTag> tags = {
      {"<UNITLENGTH", &TUnitSet::Length, &TUnitSet::Length, ShortLengthWord, LengthCode},
      {"<UNITSIZE", &TUnitSet::Size, &TUnitSet::Size, ShortLengthWord, LengthCode},
      {"<UNITELEV", &TUnitSet::Elevation, &TUnitSet::Elevation, ShortLengthWord, LengthCode},
      {"<UNITPRESSURE", &TUnitSet::Pressure, &TUnitSet::Pressure, PressureWord, PressureCode},
      {"<UNITFLOW", &TUnitSet::Flow, &TUnitSet::Flow, FlowWord, FlowCode},
      {"<UNITKFACT", &TUnitSet::KFactor, &TUnitSet::KFactor, KWord, KCode},
      {"<UNITHEADAREA", &TUnitSet::HeadArea, &TUnitSet::Length, ShortLengthWord, LengthCode},
      {"<UNITDENSITY", &TUnitSet::Density, &TUnitSet::Length, ShortLengthWord, LengthCode}};
  return tags;
}

const std::vector<TFlagTag>& FlagTags() {
  static const std::vector<TFlagTag> tags = {
      {"<SOURCECALC>", &TZubFile::SourceCalc},
      {"<VELOCITY>", &TZubFile::UseVelocity},
      {"<GRAVITY13D>", &TZubFile::Gravity13D},
      {"<FMFITTINGS>", &TZubFile::FMFittings},
      {"<ADJUSTKFORLIQUID>", &TZubFile::AdjustKForLiquid},
      {"<HEADAREA>", &TZubFile::HeadArea},
      {"<USEMATERICALSPECIFICFITTINGS>", &TZubFile::MaterialFittings},
      {"<USEFITTINGK>", &TZubFile::UseFittingK}};
  return tags;
}

const std::vector<TNameSeedTag>& NameSeedTags() {
  static const std::vector<TNameSeedTag> tags = {{"<1STMAINNAME", nsFirstMain},   {"<2NDMAINNAME", nsSecondMain},
                                                 {"<1STLINENAME", nsFirstLine},   {"<2NDLINENAME", nsSecondLine},
                                                 {"<1STDROPNAME", nsFirstDrop},   {"<1STRNNAME", nsFirstRiserNipple}};
  return tags;
}

const std::vector<TSystemInfoTag>& SystemInfoTags() {
  static const std::vector<TSystemInfoTag> tags = {
      {"<RADESCRIPTION", siRemoteAreaLocation}, {"<OCCUPANCY", siOccupancy},
      {"<SYSTEMTYPE", siSystemType},            {"<DENSITY", siDensity},
      {"<REMOTEAREA", siRemoteArea},            {"<HEADAREA", siHeadArea},
      {"<INSIDEHOSE", siInsideHose},            {"<OUTSIDEHOSE", siOutsideHose},
      {"<RACKDEMAND", siRackDemand},            {"<DRAWINGNUM", siDrawingNumber},
      {"<REMOTEAREANUM", siRemoteAreaNumber},   {"<VOLUME", siVolume},
      {"<FLOWTESTDATE", siFlowTestDate},        {"<FLOWTESTLOCATION", siFlowTestLocation},
      {"<FLOWTESTSOURCE", siFlowTestSource}};
  return tags;
}

}  // namespace pelmora

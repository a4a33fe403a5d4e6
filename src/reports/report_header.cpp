#include "reports/report_header.h"

#include <cmath>
#include <ctime>

#include "engine/grid.h"
#include "input/units/text.h"
#include "reports/report_text.h"

namespace pelmora {

namespace {

const char* const kIndent = "    ";
const char* const kProgramName = "Pelmora";

class PairList {
 public:
  void Add(const std::string& label, const std::string& value = "") { FPairs.push_back({label, value}); }
  // The first line under the label, the others under a blank label of the same width.
  void AddLines(const std::string& label, const std::vector<std::string>& lines) {
    if (lines.empty()) {
      Add(label);
      return;
    }
    for (size_t i = 0; i < lines.size(); ++i) Add(i == 0 ? label : std::string(label.size(), ' '), lines[i]);
  }
  std::vector<TReportPair> Take() { return std::move(FPairs); }

 private:
  std::vector<TReportPair> FPairs;
};

bool IsBlank(const std::string& text) { return Trim(text).empty(); }

// Bar readings carry a third decimal because a bar is almost fifteen psi.
std::string PressureText(const TReportContext& context, double pressure) {
  return FormatFloat(context.Engine.FInputUnits.Pressure == 1 ? "0.0##" : "0.0#", pressure);
}

std::string HoseStreams(const TZubSystemInformation& info) {
  const std::string outside = Trim(info[siOutsideHose]);
  const std::string inside = Trim(info[siInsideHose]);
  return (outside.empty() ? std::string("none") : outside) + " outside + " +
         (inside.empty() ? std::string("none") : inside) + " inside";
}

std::string TotalWaterRequired(const TReportContext& context) {
  const TCalcEngine& engine = context.Engine;
  if (WaterSources(engine).size() > 1) return "see Supply Analysis section of report";
  const TReportUnits units = context.Units();
  std::string text = FormatFloat("0.0#", engine.FSourceFlow) + " " + units.Flow + " at " +
                     PressureText(context, engine.FRequiredPressure) + " " + units.Pressure + "  [ " +
                     PressureText(context, engine.FMargin) + " " + units.Pressure;
  const double supplyPressure = engine.FRequiredPressure + engine.FMargin;
  const double percentage = 100 * engine.FMargin / supplyPressure;
  if (!std::isfinite(percentage)) return text + " safety margin ]";
  return text + " safety margin (" + FormatFloat("0.#", percentage) + "%) ]";
}

std::string RiserWater(const TReportContext& context) {
  return FormatFloat("0.0#", context.Engine.FRiserFlow) + " " + context.Units().Flow + " at " +
         PressureText(context, context.Engine.FRiserPressure) + " " + context.Units().Pressure;
}

std::string DarcyNote(const TReportContext& context) {
  const TZubFile& project = context.Project;
  const TLiquid& liquid = project.Liquid;
  const bool psi = context.Engine.FInputUnits.Pressure == 0;
  std::string note = context.Engine.FHazenPipesUsed
                         ? "Darcy-Weisbach and Hazen-Williams friction formulae used in calculations."
                         : "Darcy-Weisbach friction formula used in calculations.";
  note += " Liquid used with Darcy formula is \"" + liquid.Name + "\", p=" +
          (psi ? FormatFloat("0.0#", liquid.DensityUS) + " lb/ft3" : FormatFloat("0.0#", liquid.DensitySI) + " kg/m3") +
          ", u=" + FormatFloat("0.0##", liquid.Viscosity) + " Centipoise.";
  if (project.AdjustKForLiquid)
    note += " Sprinkler head k-factors have been adjusted by a " + FormatFloat("0.0##", project.KFactorMultiplier) +
            " multiplier.  Adjusted k-factor values are shown in this report.";
  return note;
}

std::string RemoteAreaNote(const TReportContext& context) {
  std::string note;
  if (!context.HeadAreaMode())
    note = "System has been automatically peaked by the ";
  else if (context.Engine.FFavourable)
    note = "Most favourable remote area automatically found by the ";
  else
    note = "Most unfavourable remote area automatically found by the ";
  return note + "\"" + kProgramName + "\" computer program.";
}

// The project's remote area location, held under either of its two names.
std::string RemoteAreaLocation(const TZubFile& project) {
  const std::string& location = project.SystemInfo[siRemoteAreaLocation];
  return location.empty() ? project.RADescription : location;
}

}  // namespace

std::vector<TReportPair> BuildReportHeader(const TReportContext& context) {
  const TZubFile& project = context.Project;
  const TZubSystemInformation& info = project.SystemInfo;
  const TCalcEngine& engine = context.Engine;
  const std::string in = kIndent;
  PairList pairs;

  pairs.AddLines("Project:  ", project.Project);
  pairs.Add("Drawing no.:  ", info[siDrawingNumber]);
  pairs.Add("Date:  ", context.Date.empty() ? TodayShortDate() : context.Date);
  pairs.Add("");
  pairs.Add("Design");
  pairs.Add(in + "Remote area number:  ", info[siRemoteAreaNumber]);
  pairs.Add(in + "Remote area location:  ", RemoteAreaLocation(project));
  pairs.Add(in + "Occupancy classification:  ", info[siOccupancy]);
  pairs.Add(in + "Density:  ", info[siDensity]);
  pairs.Add(in + "Area of application:  ", info[siRemoteArea]);
  pairs.Add(in + "Coverage per sprinkler:  ", info[siHeadArea]);
  pairs.AddLines(in + "Type of sprinklers calculated:  ", project.Head);
  pairs.Add(in + "No. of sprinklers calculated:  ", std::to_string(engine.FSprinklerCount));
  if (!IsBlank(info[siRackDemand])) pairs.Add(in + "In rack demand:  ", Trim(info[siRackDemand]));
  pairs.Add(in + "Hose streams:  ", HoseStreams(info));
  pairs.Add(in + "Total water required (including hose streams):  ", TotalWaterRequired(context));
  if (engine.FRiserValid)
    pairs.Add(in + (context.HeadAreaMode() ? "Total water required at control valve gauge 'C':  "
                                           : "Total water required at base of system riser:  "),
              RiserWater(context));
  if (context.Options.RepMaxVelocity)
    pairs.Add(in + "Maximum water flow velocity:  ",
              FormatFloat("0.0##", engine.FMaxVelocity) + " " + context.Units().Length + "/s");
  pairs.Add(in + "Type of system:  ", info[siSystemType]);
  if (!IsBlank(info[siVolume])) pairs.Add(in + "Volume of dry or preaction system:  ", info[siVolume]);
  pairs.Add("");
  pairs.Add("Water supply information");
  pairs.Add(in + "Date:  ", info[siFlowTestDate]);
  pairs.Add(in + "Location:  ", info[siFlowTestLocation]);
  pairs.Add(in + "Source:  ", info[siFlowTestSource]);
  pairs.Add("");
  pairs.AddLines("Contractor:  ", project.CompanyOR.empty() ? context.Options.Company : project.CompanyOR);
  if (!project.Contract.empty()) pairs.AddLines("Under contract with:  ", project.Contract);
  pairs.AddLines("Name of designer:  ", project.DesignerOR.empty() ? context.Options.Designer : project.DesignerOR);
  pairs.AddLines("Authority having jurisdiction:  ", project.AHJ);
  pairs.Add("");
  pairs.Add("Notes:");
  if (context.DarcyWeisbach()) pairs.Add(in, DarcyNote(context));
  if (engine.FGrid != nullptr && engine.FGrid->Searched()) pairs.Add(in, RemoteAreaNote(context));
  if (context.DarcyWeisbach()) pairs.Add(in);
  for (const std::string& note : project.Notes) pairs.Add(in, note);
  return pairs.Take();
}

std::vector<std::string> WrapReportPairs(const std::vector<TReportPair>& pairs, int width) {
  std::vector<std::string> lines;
  for (const TReportPair& pair : pairs) {
    const size_t indent = pair.Label.size();
    std::string line = pair.Label;
    std::string value = pair.Value;
    while (!value.empty() && static_cast<int>(indent + value.size()) > width) {
      const int room = width - static_cast<int>(line.size());
      size_t take = value.size();
      for (int position = room; position >= 1; --position) {
        const char c = value[static_cast<size_t>(position - 1)];
        if (c == ' ' || c == '-') {
          take = static_cast<size_t>(position);
          break;
        }
      }
      line += value.substr(0, take);
      value.erase(0, take);
      if (!value.empty()) {
        lines.push_back(line);
        line = std::string(indent, ' ');
      }
    }
    lines.push_back(line + value);
  }
  return lines;
}

std::string TodayShortDate() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[64];
  return std::strftime(text, sizeof text, "%x", &local) > 0 ? std::string(text) : std::string();
}

}  // namespace pelmora

#include "dxf/dxf_sizes.h"

#include <cmath>

#include "input/units/units.h"
#include "materials/materials.h"

namespace pelmora {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kParallelDegrees = 5;

struct TDefaultSize {
  const char* Text;
  double Size;
};

// Size of a pipe drawn without a size text, by the project's size unit code.
constexpr TDefaultSize kDefaultSizes[] = {
    {"1\"", 1}, {"1\"", 1}, {"1\"", 1}, {"25", 25}, {"2.5", 2.5}, {"0.025", 0.025},
};

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  if (from.empty() || from == to) return;
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

double DirectionDegrees(const TdxfLine& pipe) {
  double dx = pipe.End.X - pipe.Start.X, dy = pipe.End.Y - pipe.Start.Y;
  if (dx == 0) return 90;
  double degrees = std::atan2(dy, dx) * 180 / kPi;
  return degrees < 0 ? degrees + 360 : degrees;
}

// A text reads along a pipe in either direction, so angles are compared modulo 180 degrees.
bool RunsParallel(double textRotation, double pipeDirection) {
  double difference = std::fmod(std::fabs(textRotation - pipeDirection), 180.0);
  return std::min(difference, 180 - difference) <= kParallelDegrees;
}

class TSizeMatcher {
 public:
  TSizeMatcher(std::vector<TdxfLine>& pipes, const std::vector<TdxfText>& texts)
      : FPipes(pipes), FTexts(texts), FSized(pipes.size(), 0), FRemaining(TextPoints(texts)),
        FPipeMids(PipeMids(pipes)), FNearestPipe(texts.size(), -2) {}

  void PairMutuallyNearest() {
    while (Pass([this](int pipe, int text) { return NearestPipe(text) == pipe; })) {
    }
  }

  void PairParallel() {
    while (Pass([this](int pipe, int text) { return RunsParallel(FTexts[text].Rotation, FPipes[pipe].Direction); })) {
    }
  }

  bool Sized(size_t pipe) const { return FSized[pipe]; }

 private:
  static std::vector<TDxfPoint> TextPoints(const std::vector<TdxfText>& texts) {
    std::vector<TDxfPoint> points;
    for (const TdxfText& text : texts) points.push_back(text.Point);
    return points;
  }
  static std::vector<TDxfPoint> PipeMids(const std::vector<TdxfLine>& pipes) {
    std::vector<TDxfPoint> points;
    for (const TdxfLine& pipe : pipes) points.push_back(pipe.Mid);
    return points;
  }

  int NearestPipe(int text) {
    if (FNearestPipe[text] == -2) FNearestPipe[text] = FPipeMids.Nearest(FTexts[text].Point);
    return FNearestPipe[text];
  }

  // One pass over the pipes without size; true when a text was taken.
  template <typename Accept>
  bool Pass(Accept accept) {
    bool taken = false;
    for (size_t pipe = 0; pipe < FPipes.size(); ++pipe) {
      if (FSized[pipe]) continue;
      int text = FRemaining.Nearest(FPipes[pipe].Mid);
      if (text < 0) return taken;
      if (!accept(static_cast<int>(pipe), text)) continue;
      FPipes[pipe].SizeText = FTexts[text].Text;
      FPipes[pipe].SizeTextHandle = FTexts[text].Handle;
      FSized[pipe] = 1;
      FRemaining.Remove(text);
      taken = true;
    }
    return taken;
  }

  std::vector<TdxfLine>& FPipes;
  const std::vector<TdxfText>& FTexts;
  std::vector<char> FSized;
  TNearestGrid FRemaining;
  TNearestGrid FPipeMids;
  std::vector<int> FNearestPipe;  // -2 until looked up
};

}  // namespace

std::string ReplaceFractions(std::string text, const TDxfOptions& options) {
  ReplaceAll(text, options.OneQuarter, ".25");
  ReplaceAll(text, options.OneHalf, ".5");
  ReplaceAll(text, options.ThreeQuarter, ".75");
  return text;
}

bool IsSizeText(const std::string& text, const TMaterials& materials, int pipeSizeUnit) {
  if (text.find('-') != std::string::npos || materials.Materials.empty()) return false;
  return materials.IsValidSize(materials.Materials.front().Code, text, pipeSizeUnit);
}

void AssignPipeSizes(std::vector<TdxfLine>& pipes, const std::vector<TdxfText>& sizeTexts, int pipeSizeUnit,
                     int projectSizeUnit) {
  for (TdxfLine& pipe : pipes) {
    pipe.Size = 0;
    pipe.SizeText.clear();
    pipe.SizeTextHandle.clear();
    pipe.Mid = Midpoint(pipe.Start, pipe.End);
    pipe.Direction = DirectionDegrees(pipe);
  }
  TSizeMatcher matcher(pipes, sizeTexts);
  matcher.PairMutuallyNearest();
  matcher.PairParallel();

  const TDefaultSize& fallback = kDefaultSizes[projectSizeUnit >= 0 && projectSizeUnit <= 5 ? projectSizeUnit : 2];
  for (size_t i = 0; i < pipes.size(); ++i) {
    TdxfLine& pipe = pipes[i];
    double drawn = 0;
    if (!matcher.Sized(i) || !ParseSize(pipe.SizeText, pipeSizeUnit, drawn) || drawn <= 0) {
      pipe.Size = fallback.Size;
      pipe.SizeText = fallback.Text;
      pipe.SizeTextHandle.clear();
      continue;
    }
    double size = ConvertSize(drawn, pipeSizeUnit, projectSizeUnit);
    pipe.Size = size > 0 ? size : ConvertLength(drawn, pipeSizeUnit, projectSizeUnit);
    pipe.SizeText = FormatLength(projectSizeUnit, pipe.Size);
  }
}

}  // namespace pelmora

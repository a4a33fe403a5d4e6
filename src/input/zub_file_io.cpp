#include "input/zub_file_io.h"

#include <stdexcept>

#include "input/legacy_format.h"
#include "input/units/text.h"
#include "input/zub_file.h"
#include "input/zub_file_io_disk.h"
#include "input/zub_file_io_text.h"

namespace pelmora {

namespace {

constexpr size_t kOldCommandHeaderLines = 5;

// ENGLISH and METRIC in the text name the units of the whole project; the last one wins.
void ApplyUnitCommands(TZubFile& project) {
  for (const std::string& line : project.Body) {
    const std::string command = UpperCase(FirstWord(line));
    if (command == "ENGLISH") SetCommandUnits(project.Units, EnglishUnits());
    if (command == "METRIC") SetCommandUnits(project.Units, MetricUnits());
  }
}

void ReadTagFile(TZubFile& project, const std::vector<std::string>& lines, TZubFileFormat format,
                 TLegacyStorage& storage, const std::string& fileName) {
  const TTagReading reading = ReadProjectTags(project, lines, storage);
  // Today's writer always ends the header with <BODY>: without it the file was cut short, and
  // opening it as an empty text would invite saving over the designer's work.
  if (format == TZubFileFormat::Current && !reading.BodyFound)
    throw std::runtime_error("Cannot read \"" + fileName +
                             "\": the project file is incomplete (it ends inside its header, before <BODY>).");
  project.Body.assign(lines.begin() + static_cast<std::ptrdiff_t>(reading.BodyStart), lines.end());
  MatchLiquidWithDatabase(project, reading.LiquidNamed);
}

}  // namespace

void SetCommandUnits(TUnitSet& units, const TUnitSet& from) {
  units.Length = from.Length;
  units.Size = from.Size;
  units.Elevation = from.Elevation;
  units.Pressure = from.Pressure;
  units.Flow = from.Flow;
  units.KFactor = from.KFactor;
}

TZubFileFormat TextFileFormat(const std::vector<std::string>& lines, const std::string& fileName) {
  const std::vector<std::string> words = lines.empty() ? std::vector<std::string>{} : SplitWords(lines.front());
  if (words.size() <= 2 || UpperCase(words[0]) != "<TZUB") return TZubFileFormat::PlainText;
  if (words[1] == "2") return TZubFileFormat::Current;
  if (words[1] == "1") return words[2][0] > '3' ? TZubFileFormat::OldTags4 : TZubFileFormat::OldTags;
  // Reading a later format as plain text would turn its header into commands and comments.
  throw std::runtime_error("Cannot read \"" + fileName + "\": the project file has the unknown format " +
                           words[1] + " (written by a later version of the program).");
}

void TZubFile::LoadFromFile(const std::string& fileName, bool convertOldCommands) {
  const std::string bytes = ReadProjectFileBytes(fileName);
  const bool binary = IsBinaryProject(bytes);
  const std::vector<std::string> lines = binary ? std::vector<std::string>{} : SplitLines(DecodeText(bytes, fileName));
  const TZubFileFormat format = binary ? TZubFileFormat::Binary : TextFileFormat(lines, fileName);

  ResetProject();
  TLegacyStorage storage;
  switch (format) {
    case TZubFileFormat::Binary:
      ReadBinaryProject(*this, bytes, storage, fileName);
      break;
    case TZubFileFormat::PlainText:
      Body = convertOldCommands && lines.size() > kOldCommandHeaderLines ? ConvertOldCommands(lines) : lines;
      break;
    case TZubFileFormat::OldTags:
    case TZubFileFormat::OldTags4:
    case TZubFileFormat::Current:
      ReadTagFile(*this, lines, format, storage, fileName);
      break;
  }
  if (format != TZubFileFormat::Current) UpgradeLegacyProject(*this, storage);
  ParseLines(Body);
  ApplyUnitCommands(*this);
}

}  // namespace pelmora

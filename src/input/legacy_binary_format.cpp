#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <utility>

#include "input/legacy_format.h"
#include "input/zub_file.h"
#include "input/zub_file_io_text.h"

namespace pelmora {

namespace {

constexpr size_t kHeaderSize = 16;
constexpr size_t kRecordSize = 661;
constexpr size_t kCommandsStart = kHeaderSize + kRecordSize;

// Short strings: a length byte and the characters, in a field of fixed width (capacity + 1).
constexpr size_t kLongField = 41;
constexpr size_t kShortField = 13;
constexpr size_t kStorageField = 9;

constexpr size_t kContractOffset = 0;
constexpr size_t kProjectOffset = 164;
constexpr size_t kHeadOffset = 488;  // make, model, size, K-factor, temperature

struct TBinaryInfoField {
  size_t Offset;
  size_t Width;
  TSystemInfoField Field;
};
const std::vector<TBinaryInfoField> kInfoFields = {
    {328, kLongField, siOccupancy},    {369, kLongField, siSystemType},   {410, kShortField, siDensity},
    {423, kShortField, siRemoteArea},  {436, kShortField, siHeadArea},    {449, kShortField, siInsideHose},
    {462, kShortField, siOutsideHose}, {475, kShortField, siRackDemand}};

struct TBinaryStorageText {
  size_t Offset;
  size_t Width;
  std::string TLegacyStorage::*Text;
};
const std::vector<TBinaryStorageText> kStorageTexts = {
    {553, kLongField, &TLegacyStorage::Commodity},     {594, kStorageField, &TLegacyStorage::StorageHeight},
    {603, kStorageField, &TLegacyStorage::RoofHeight}, {612, kStorageField, &TLegacyStorage::AisleWidth},
    {636, kStorageField, &TLegacyStorage::LongitudinalFlue},
    {645, kStorageField, &TLegacyStorage::TransverseFlue}};

struct TBinaryStorageFlag {
  size_t Offset;
  bool TLegacyStorage::*Flag;
};
const std::vector<TBinaryStorageFlag> kStorageFlags = {
    {621, &TLegacyStorage::SolidPile},       {622, &TLegacyStorage::WoodPallets},
    {623, &TLegacyStorage::PlasticPallets},  {624, &TLegacyStorage::Encapsulated},
    {625, &TLegacyStorage::BinBoxes},        {626, &TLegacyStorage::Racks},
    {627, &TLegacyStorage::Shelves},         {628, &TLegacyStorage::Expanded},
    {629, &TLegacyStorage::NonExpanded},     {630, &TLegacyStorage::FreeFlowing},
    {631, &TLegacyStorage::Cartoned},        {632, &TLegacyStorage::Exposed},
    {633, &TLegacyStorage::SolidLoad},       {634, &TLegacyStorage::StablePile},
    {635, &TLegacyStorage::UnstablePile},    {654, &TLegacyStorage::SingleRow},
    {655, &TLegacyStorage::DoubleRow},       {656, &TLegacyStorage::MultipleRow},
    {657, &TLegacyStorage::SolidShelves},    {658, &TLegacyStorage::AutomaticStorage},
    {659, &TLegacyStorage::SlavePallet},     {660, &TLegacyStorage::ConventionalPallet}};

class TBinaryRecord {
 public:
  explicit TBinaryRecord(const std::string& bytes)
      : FRecord(std::string_view(bytes).substr(kHeaderSize, kRecordSize)) {}

  // The raw code-page text; a damaged length byte cannot reach past its field.
  std::string_view RawText(size_t offset, size_t width) const {
    const size_t length = std::min<size_t>(static_cast<unsigned char>(FRecord[offset]), width - 1);
    return FRecord.substr(offset + 1, length);
  }
  std::string Text(size_t offset, size_t width) const { return Cp1252ToUtf8(RawText(offset, width)); }
  bool Flag(size_t offset) const { return FRecord[offset] != 0; }

 private:
  std::string_view FRecord;
};

// The five head fields become one line, cut to the old report's columns: the make with its blank
// ends at 13, the model at 25, its blank at 26, the size at 38, 39, the K-factor at 51, 52 and the
// temperature at 64.
std::string HeadLine(const TBinaryRecord& record) {
  const auto field = [&](size_t index) { return record.RawText(kHeadOffset + index * kShortField, kShortField); };
  const std::pair<std::string, size_t> pieces[] = {
      {std::string(field(0)) + " ", 13}, {std::string(field(1)), 25}, {" ", 26}, {std::string(field(2)), 38},
      {" ", 39}, {std::string(field(3)), 51}, {" ", 52}, {std::string(field(4)), 64}};
  std::string line;
  for (const auto& [piece, end] : pieces) line = (line + piece).substr(0, end);
  return Cp1252ToUtf8(line);
}

bool HasHeadFields(const TBinaryRecord& record) {
  for (size_t field = 0; field < 5; ++field)
    if (!record.RawText(kHeadOffset + field * kShortField, kShortField).empty()) return true;
  return false;
}

// Each command line ends with CR and one more byte (the LF).
std::vector<std::string> CommandLines(std::string_view bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    const size_t end = bytes.find('\r', start);
    if (end == std::string_view::npos) {
      lines.push_back(Cp1252ToUtf8(bytes.substr(start)));
      break;
    }
    lines.push_back(Cp1252ToUtf8(bytes.substr(start, end - start)));
    start = end + 2;
  }
  return lines;
}

}  // namespace

bool IsBinaryProject(const std::string& bytes) {
  if (bytes.size() < kHeaderSize) return false;
  const auto byte = [&](size_t i) { return static_cast<uint16_t>(static_cast<unsigned char>(bytes[i])); };
  const uint16_t check = byte(0) | (byte(1) << 8);
  const uint16_t complement = byte(2) | (byte(3) << 8);
  const std::string_view name = std::string_view(bytes).substr(5, 3);
  return check == static_cast<uint16_t>(~complement) && bytes[4] == 3 && (name == "QOR" || name == "ZUB");
}

void ReadBinaryProject(TZubFile& project, const std::string& bytes, TLegacyStorage& storage,
                       const std::string& fileName) {
  if (bytes.size() < kCommandsStart)
    throw std::runtime_error("Cannot read \"" + fileName +
                             "\": the old binary project file is incomplete (it ends inside its settings).");
  const TBinaryRecord record(bytes);
  for (size_t line = 0; line < 4; ++line) {
    project.Contract.push_back(record.Text(kContractOffset + line * kLongField, kLongField));
    project.Project.push_back(record.Text(kProjectOffset + line * kLongField, kLongField));
  }
  for (const TBinaryInfoField& field : kInfoFields)
    project.SystemInfo[field.Field] = record.Text(field.Offset, field.Width);
  if (HasHeadFields(record)) project.Head.push_back(HeadLine(record));
  for (const TBinaryStorageText& text : kStorageTexts) storage.*text.Text = record.Text(text.Offset, text.Width);
  for (const TBinaryStorageFlag& flag : kStorageFlags) storage.*flag.Flag = record.Flag(flag.Offset);
  project.JobNo.clear();
  project.SystemInfo[siRemoteAreaLocation].clear();
  project.RADescription.clear();
  project.Body = CommandLines(std::string_view(bytes).substr(kCommandsStart));
}

}  // namespace pelmora

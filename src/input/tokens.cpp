#include "input/tokens.h"

#include <algorithm>
#include <limits>

#include "input/line_split.h"

namespace pelmora {

TZubParameter TTokenView::Record() const {
  TZubParameter record;
  record.Value = Value;
  record.Text = std::string(Text);
  record.Letter = Letter;
  record.Command = Command;
  record.Column = Column;
  record.Line = Line;
  record.Valid = Valid;
  record.Suspect = Suspect;
  record.Message = std::string(Message);
  record.Comment = Comment;
  record.Present = Present;
  return record;
}

TTokenLine::TTokenLine(const TZubParameterTable& table, int line)
    : FTable(&table), FLineIndex(line), FCount(table.WordCount(line)) {}

void TZubParameterTable::Clear(size_t expectedLines, size_t expectedCharacters) {
  FText.clear();
  FLineStart.assign(1, 0);
  FFirstWord.assign(1, 0);
  FWords.clear();
  FMessages.clear();
  FLineStart.reserve(expectedLines + 1);
  FFirstWord.reserve(expectedLines + 1);
  FText.reserve(expectedCharacters);
}

void TZubParameterTable::AddLine(std::string_view text, const TZubParameterList& words) {
  // Offsets are 32-bit; a text beyond that (gigabytes) keeps its further lines without words.
  const bool fits = FText.size() + text.size() < std::numeric_limits<uint32_t>::max() &&
                    FWords.size() + words.size() < std::numeric_limits<uint32_t>::max();
  const size_t lineStart = FText.size();
  if (fits) {
    FText.append(text);
    size_t leading = 0;
    while (leading < text.size() && IsWordSeparator(text[leading])) ++leading;
    for (size_t index = 0; index < words.size(); ++index) {
      const TZubParameter& word = words[index];
      const size_t start = lineStart + (index == 0 ? leading : static_cast<size_t>(word.Column));
      TStoredWord stored{};
      stored.Value = word.Value;
      stored.TextStart = static_cast<uint32_t>(start);
      stored.TextLength = static_cast<uint32_t>(std::min<size_t>(word.Text.size(), kLongWord));
      stored.Letter = static_cast<uint32_t>(word.Letter) & 0x7F;
      stored.CommandPlusOne = static_cast<uint32_t>(word.Command + 1);
      stored.Valid = word.Valid;
      stored.Suspect = word.Suspect;
      stored.Comment = word.Comment;
      stored.HasMessage = !word.Message.empty();
      if (stored.HasMessage) FMessages.emplace(static_cast<uint32_t>(FWords.size()), word.Message);
      FWords.push_back(stored);
    }
  }
  FLineStart.push_back(static_cast<uint32_t>(FText.size()));
  FFirstWord.push_back(static_cast<uint32_t>(FWords.size()));
}

size_t TZubParameterTable::LongWordLength(int line, uint32_t start) const {
  const size_t lineEnd = FLineStart[line + 1];
  size_t end = start + kLongWord;
  while (end < lineEnd && !IsWordSeparator(FText[end])) ++end;
  return end - start;
}

void TZubParameterTable::SetVerdict(int line, size_t index, bool valid, bool suspect, std::string message) {
  const uint32_t number = FFirstWord[line] + static_cast<uint32_t>(index);
  TStoredWord& stored = FWords[number];
  stored.Valid = valid;
  stored.Suspect = suspect;
  stored.HasMessage = !message.empty();
  if (stored.HasMessage)
    FMessages[number] = std::move(message);
  else
    FMessages.erase(number);
}

size_t TZubParameterTable::MemoryBytes() const {
  constexpr size_t kMapNodeOverhead = 4 * sizeof(void*);
  size_t bytes = FText.capacity() + (FLineStart.capacity() + FFirstWord.capacity()) * sizeof(uint32_t) +
                 FWords.capacity() * sizeof(TStoredWord);
  for (const auto& [number, message] : FMessages) {
    bytes += kMapNodeOverhead + sizeof(number) + sizeof(message);
    if (message.capacity() > 15) bytes += message.capacity() + 1;
  }
  return bytes;
}

}  // namespace pelmora

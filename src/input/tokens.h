// The token table: every word of every command line, classified and validated by the scan.
#pragma once

#include <cstdint>
#include <iterator>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace pelmora {

struct TZubParameter {
  double Value = 0;       // number read, in the project's unit of its kind
  std::string Text;       // the word as written
  char Letter = 0;        // parameter kind letter
  int32_t Command = -1;   // word 0: command number 1..39 or -1
  int32_t Column = 0;     // 0-based start of the word's piece of the line
  int32_t Line = 0;
  bool Valid = false;
  bool Suspect = false;
  std::string Message;
  bool Comment = false;
  bool Present = false;
};

using TZubParameterList = std::vector<TZubParameter>;

// A word of the project's token table as read back. Its texts point into the table and stay
// valid until the table is rebuilt; `Record` gives a copy that owns them.
struct TTokenView {
  double Value = 0;
  std::string_view Text;
  char Letter = 0;
  int32_t Command = -1;
  int32_t Column = 0;
  int32_t Line = 0;
  bool Valid = false;
  bool Suspect = false;
  std::string_view Message;
  bool Comment = false;
  bool Present = false;

  TZubParameter Record() const;
};

class TZubParameterTable;

// Walks a line or the table by index, giving each element as a value made on demand.
template <typename Owner, typename Value>
class TIndexIterator {
 public:
  using iterator_category = std::input_iterator_tag;
  using value_type = Value;
  using difference_type = std::ptrdiff_t;
  using pointer = void;
  using reference = Value;

  TIndexIterator(const Owner& owner, size_t index) : FOwner(&owner), FIndex(index) {}
  Value operator*() const { return (*FOwner)[FIndex]; }
  TIndexIterator& operator++() {
    ++FIndex;
    return *this;
  }
  bool operator==(const TIndexIterator& other) const { return FIndex == other.FIndex; }

 private:
  const Owner* FOwner;
  size_t FIndex;
};

// The words of one line of the table, word 0 first.
class TTokenLine {
 public:
  using iterator = TIndexIterator<TTokenLine, TTokenView>;

  TTokenLine(const TZubParameterTable& table, int line);
  size_t size() const { return FCount; }
  bool empty() const { return FCount == 0; }
  inline TTokenView operator[](size_t index) const;
  TTokenView back() const { return (*this)[FCount - 1]; }
  iterator begin() const { return {*this, 0}; }
  iterator end() const { return {*this, FCount}; }

 private:
  const TZubParameterTable* FTable;
  int FLineIndex;
  size_t FCount;
};

// The project's token table. The scan runs after every edit, so the table keeps one copy of
// the text and a 16-byte record per word instead of a full record with its own strings: its
// size stays a small multiple of the text's.
class TZubParameterTable {
 public:
  using iterator = TIndexIterator<TZubParameterTable, TTokenLine>;

  // Empties the table for a text of that many lines and characters.
  void Clear(size_t expectedLines = 0, size_t expectedCharacters = 0);
  // Appends the next line: its text and the words the scan made of it.
  void AddLine(std::string_view text, const TZubParameterList& words);
  // Gives back what the growing of the word list reserved beyond its end.
  void ShrinkToFit() { FWords.shrink_to_fit(); }

  size_t size() const { return FFirstWord.size() - 1; }
  bool empty() const { return size() == 0; }
  TTokenLine operator[](size_t line) const { return {*this, static_cast<int>(line)}; }
  iterator begin() const { return {*this, 0}; }
  iterator end() const { return {*this, size()}; }

  size_t WordCount(int line) const { return FFirstWord[line + 1] - FFirstWord[line]; }
  inline TTokenView Word(int line, size_t index) const;
  // The command of a line whose command word the scan accepted, else -1: the builder's passes
  // ask it of every line.
  int AcceptedCommand(int line) const {
    if (WordCount(line) == 0) return -1;
    const TStoredWord& command = FWords[FFirstWord[line]];
    return command.Valid ? static_cast<int>(command.CommandPlusOne) - 1 : -1;
  }

  // The checks that run once the whole text is read change a word's verdict and message.
  void SetVerdict(int line, size_t index, bool valid, bool suspect, std::string message);

  // Heap held by the table, for measuring it.
  size_t MemoryBytes() const;

 private:
  static constexpr uint32_t kLongWord = 0x7FFF;  // longer words are measured in the text

  struct TStoredWord {
    double Value;
    uint32_t TextStart;        // in FText
    uint32_t TextLength : 15;  // kLongWord: measure up to the next separator
    uint32_t Letter : 7;
    uint32_t CommandPlusOne : 6;
    uint32_t Valid : 1;
    uint32_t Suspect : 1;
    uint32_t Comment : 1;
    uint32_t HasMessage : 1;
  };
  static_assert(sizeof(TStoredWord) == 16);

  size_t LongWordLength(int line, uint32_t start) const;

  std::string FText;                          // the lines, joined without separators
  std::vector<uint32_t> FLineStart{0};        // where each line starts in FText, then the end
  std::vector<uint32_t> FFirstWord{0};        // each line's first word, then the word count
  std::vector<TStoredWord> FWords;
  std::map<uint32_t, std::string> FMessages;  // by word number; few words carry one
};

TTokenView TZubParameterTable::Word(int line, size_t index) const {
  const uint32_t number = FFirstWord[line] + static_cast<uint32_t>(index);
  const TStoredWord& stored = FWords[number];
  const size_t length = stored.TextLength == kLongWord ? LongWordLength(line, stored.TextStart) : stored.TextLength;
  TTokenView view;
  view.Value = stored.Value;
  view.Text = std::string_view(FText).substr(stored.TextStart, length);
  view.Letter = static_cast<char>(stored.Letter);
  view.Command = static_cast<int32_t>(stored.CommandPlusOne) - 1;
  view.Column = index == 0 ? 0 : static_cast<int32_t>(stored.TextStart - FLineStart[line]);
  view.Line = line;
  view.Valid = stored.Valid;
  view.Suspect = stored.Suspect;
  if (stored.HasMessage) view.Message = FMessages.at(number);
  view.Comment = stored.Comment;
  view.Present = true;
  return view;
}

TTokenView TTokenLine::operator[](size_t index) const { return FTable->Word(FLineIndex, index); }

}  // namespace pelmora

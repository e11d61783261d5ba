#pragma once
// The prepared program: statement slots in line-number order, the label
// table and the list of DATA statements.

#include "interpreter/Lexer.h"

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace korvelin {

constexpr int StatementSlots = 4001;
constexpr int LabelSlots = 201;
constexpr int DataSlots = 501;
constexpr int StatementTextLimit = 255;

struct StatementSlot {
    std::int32_t key = 0;        // line number x 100 + index of the statement in its line
    ScanText text;               // without the line number and the separating ":"
    std::int32_t lineOffset = 0; // offset of the source line in the editor text
    std::int16_t column = 0;     // offset of the statement in its source line
    std::int16_t next = -1;      // slot with the next higher key, -1 after the last;
                                 // call chainChanged() after relinking by hand
};

class StatementTable {
  public:
    StatementTable() : slots_(StatementSlots) {}

    StatementSlot& operator[](int slot) { return slots_[static_cast<std::size_t>(slot)]; }
    const StatementSlot& operator[](int slot) const { return slots_[static_cast<std::size_t>(slot)]; }

    // Links `slot`, whose key is set, into the chain in ascending key order.
    // `lastKey` is the caller's record of the largest key appended so far.
    void insertStatement(int slot, std::int32_t& lastKey);
    // The first slot of the chain whose key is lineNumber x 100, or -1.
    int findLine(double lineNumber) const;
    // Sets a slot's text, dropping any tokens remembered for the old text.
    void setText(int slot, std::u16string text);
    // Empties the chain (the slots keep their contents).
    void clearChain();
    // Must follow any change of keys or links made outside insertStatement.
    void chainChanged() {
        lineIndexValid_ = false;
        ++chainVersion;
    }

    int firstStatement = -1;
    int lastStatement = -1;
    std::int32_t highestKey = 0;
    int statementCount = 0;
    // Changes whenever keys or links may have changed: a slot found for a
    // line number stays valid while it does not.
    std::uint32_t chainVersion = 1;

  private:
    std::vector<StatementSlot> slots_;
    // The first slot in chain order for each key; rebuilt after the chain changes.
    mutable std::unordered_map<std::int32_t, int> lineIndex_;
    mutable bool lineIndexValid_ = false;
};

struct LabelEntry {
    int wordId = -1; // the label name, upper-cased by the lexer
    int slot = -1;
};

class LabelTable {
  public:
    // The slot of the first label with this name, or -1.
    int find(int wordId) const;
    std::array<LabelEntry, LabelSlots> entries{};
    int labelCount = 0;
};

class DataTable {
  public:
    std::array<std::int16_t, DataSlots> statementSlots{};
    int dataCount = 0; // DATA statements listed, in editor-text order
    int dataTotal = 0; // what READ may use: the count fixed by the last full preparation
};

struct LineNumber {
    std::int32_t number = 0;
    int endIndex = 1; // 1-based index of the first character after the digits
};
// Reads the line number at the start of a source line (blanks skipped).
LineNumber parseLineNumber(std::u16string_view line);

} // namespace korvelin

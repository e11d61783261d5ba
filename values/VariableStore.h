#pragma once
// Where every variable, array element and user-function record of a run
// lives: the table of names, the pool of values, the subscript register
// and the default type per initial letter.

#include "values/InterpreterError.h"
#include "values/Value.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace korvelin {

class WordTable;

constexpr int VariableSlots = 1001;
constexpr std::int32_t PoolSlots = 100003;
constexpr std::int32_t ScratchStringSlot = 100001;        // unknown string names while watching
constexpr std::int32_t ScratchNumberSlot = 100002;        // unknown numeric names while watching
constexpr std::int32_t VariableSpace = ScratchStringSlot; // slots 0..100000 hold variables
constexpr int MaxDimensions = 5;

enum class LookupMode { Reference = 0, Declare = 1 };

struct VariableEntry {
    int nameId = -1; // the name with its type suffix, interned
    std::array<std::int32_t, MaxDimensions> bound{-1, -1, -1, -1, -1}; // -1 = dimension unused
    std::int32_t base = 0;
    bool isScalar() const { return bound[0] < 0; }
};

class VariableStore {
  public:
    explicit VariableStore(WordTable& words);

    // Finds or creates the slot of a name (suffix included) with the
    // subscripts in `subscriptRegister`. Throws InterpreterError.
    std::int32_t lookupVariable(int nameId, LookupMode mode) {
        // The common cases first: a scalar or an array element that exists.
        if (subscriptRegister[0] == -1) {
            if (static_cast<std::size_t>(nameId) < scalarIndex_.size()) {
                const int entry = scalarIndex_[static_cast<std::size_t>(nameId)];
                if (entry >= 0) return variableTable[static_cast<std::size_t>(entry)].base;
            }
        } else if (mode == LookupMode::Reference) {
            const int entry = arrayEntry(nameId);
            if (entry >= 0) return elementSlot(variableTable[static_cast<std::size_t>(entry)]);
        }
        return findOrCreate(nameId, mode);
    }
    // The entry of the array with this name, or -1.
    int arrayEntry(int nameId) const {
        const auto id = static_cast<std::size_t>(nameId);
        return id < arrayIndex_.size() ? arrayIndex_[id] : -1;
    }
    // The slot of the element of an array that the subscript register
    // names: error 9 outside the bounds, and error 6 for an element of an
    // array whose creation ran out of pool space (it stays registered, but
    // its elements do not exist).
    std::int32_t elementSlot(const VariableEntry& entry) const {
        const std::int64_t slot = entry.base + elementOffset(entry);
        if (slot >= VariableSpace) raise(ErrOverflow);
        return static_cast<std::int32_t>(slot);
    }
    // Empties the store for a new run.
    void clearVariables();
    // The suffix an unsuffixed name gets from its first letter.
    char16_t defaultSuffix(char16_t firstLetter) const {
        return defTypeTable[static_cast<std::size_t>(firstLetter - u'A')];
    }
    void resetDefaultTypes() { defTypeTable.fill(u'!'); }

    Value& operator[](std::int32_t slot) { return valuePool[static_cast<std::size_t>(slot)]; }
    int variableCount() const { return static_cast<int>(variableTable.size()); }

    std::vector<VariableEntry> variableTable;
    std::vector<Value> valuePool;
    std::int32_t nextFreeSlot = 0;
    std::array<std::int32_t, MaxDimensions> subscriptRegister{-1, -1, -1, -1, -1};
    std::array<char16_t, 26> defTypeTable{};
    bool watchEvaluation = false;
    // Counts clearVariables. Slots never move while it stays the same, so
    // a slot remembered together with it is valid while the two agree.
    std::uint32_t generation = 0;

  private:
    std::int32_t findOrCreate(int nameId, LookupMode mode);
    // In 64 bits: the bounds of an array whose creation failed may describe
    // far more elements than 32 bits count. Both factors stop growing past
    // the pool, which keeps the sum from overflowing and still lands beyond it.
    std::int64_t elementOffset(const VariableEntry& entry) const {
        std::int64_t offset = 0;
        std::int64_t multiplier = 1;
        for (std::size_t d = 0; d < MaxDimensions; ++d) {
            const std::int32_t subscript = subscriptRegister[d];
            const std::int32_t bound = entry.bound[d];
            if (subscript == -1) {
                if (bound == -1) return offset;
                raise(ErrSubscript); // fewer subscripts than dimensions
            }
            if (subscript < 0 || subscript > bound) raise(ErrSubscript);
            offset = std::min<std::int64_t>(offset + multiplier * subscript, PoolSlots);
            multiplier =
                std::min<std::int64_t>(multiplier * (static_cast<std::int64_t>(bound) + 1), PoolSlots);
        }
        return offset;
    }
    std::int32_t createScalar(int nameId);
    std::int32_t createArray(int nameId, LookupMode mode);
    int& indexFor(int nameId, bool array) {
        std::vector<int>& index = array ? arrayIndex_ : scalarIndex_;
        if (static_cast<std::size_t>(nameId) >= index.size())
            index.resize(static_cast<std::size_t>(nameId) + 64, -1);
        return index[static_cast<std::size_t>(nameId)];
    }

    WordTable& words_;
    // Entry index by name id, one table per shape; -1 = none.
    std::vector<int> scalarIndex_;
    std::vector<int> arrayIndex_;
};

// What a variable name found in a store: a scalar's slot or an array's
// entry. It stays valid while the store keeps its generation and, for a
// name without a type suffix, while the default type of its initial stays
// the same (DEFINT ... changes what such a name means).
struct NameMemory {
    std::uint32_t generation = 0; // 0: nothing found yet (a store starts at 1)
    char16_t suffix = 0;          // the default suffix of the initial then
    std::int32_t found = -1;

    bool valid(const VariableStore& store, bool suffixed, std::uint8_t letter) const {
        return generation == store.generation && (suffixed || store.defTypeTable[letter] == suffix);
    }
    void keep(const VariableStore& store, bool suffixed, std::uint8_t letter, std::int32_t slotOrEntry) {
        generation = store.generation;
        suffix = suffixed ? 0 : store.defTypeTable[letter];
        found = slotOrEntry;
    }
};

} // namespace korvelin

#pragma once
// Watch expressions: their texts, how each one breaks the run, and the
// value each had when last evaluated. Compiling evaluates them all for
// their starting values; checking evaluates them again after a statement
// that stored into variables and says which one broke the run.

#include "interpreter/Lexer.h"
#include "values/Value.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace korvelin {

class Interpreter;
struct CompiledExpression;

enum WatchModeKind : std::int16_t {
    WatchBreakOnTrue = 0, // the value goes from False (0) to True (-1)
    WatchBreakOnChange = 1,
};

class WatchExpressions {
  public:
    // Only this many expressions have a stored value; the list takes no more.
    static constexpr int capacity = 21;

    int count() const { return static_cast<int>(texts_.size()); }
    bool empty() const { return texts_.empty(); }
    bool full() const { return count() >= capacity; }
    const std::u16string& text(int index) const { return texts_[static_cast<std::size_t>(index)]->text; }
    std::int16_t mode(int index) const { return WatchMode[static_cast<std::size_t>(index)]; }
    const Value& value(int index) const { return WatchValue[static_cast<std::size_t>(index)]; }

    // False when the list is full.
    bool add(std::u16string text, std::int16_t mode);
    void replace(int index, std::u16string text, std::int16_t mode);
    void remove(int index);
    void clear();

    // CompileWatches: every expression's value becomes its baseline. An
    // expression that does not evaluate completely raises its error (1 for
    // text left over), and the later ones keep their old baseline.
    void compile(Interpreter& in);
    // CheckWatches: the index of the watch whose break condition is met
    // (the last one when several are), or -1. Errors are raised.
    int check(Interpreter& in);

  private:
    Value evaluate(Interpreter& in, int index);

    // Kept apart so that the lexer's memory of their tokens stays valid.
    std::vector<std::unique_ptr<ScanText>> texts_;
    // The compiled form of each expression once it has evaluated to the end
    // of its text; checks then skip the scanner (null: scanned every time).
    std::vector<const CompiledExpression*> compiled_;
    std::array<std::int16_t, 31> WatchMode{};
    std::array<Value, capacity> WatchValue{};
};

} // namespace korvelin

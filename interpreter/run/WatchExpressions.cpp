#include "interpreter/run/WatchExpressions.h"

#include "expressions/CompiledExpression.h"
#include "expressions/Evaluator.h"
#include "interpreter/Interpreter.h"
#include "values/InterpreterError.h"

namespace korvelin {

namespace {

// The lexer and the watch mark as they were, whatever the evaluation did.
class WatchEvaluationScope {
  public:
    explicit WatchEvaluationScope(Interpreter& in)
        : in_(in), mark_(in.lexer.mark()), watching_(in.variables.watchEvaluation) {
        in_.variables.watchEvaluation = true;
        in_.lexer.scanData = false;
    }
    ~WatchEvaluationScope() {
        in_.variables.watchEvaluation = watching_;
        in_.lexer.returnTo(mark_);
    }
    WatchEvaluationScope(const WatchEvaluationScope&) = delete;
    WatchEvaluationScope& operator=(const WatchEvaluationScope&) = delete;

  private:
    Interpreter& in_;
    Lexer::Mark mark_;
    bool watching_;
};

bool sameValue(const Value& a, const Value& b) {
    if (a.isString() || b.isString()) return a.isString() && b.isString() && a.byteForm() == b.byteForm();
    return a.toDouble() == b.toDouble();
}

bool numericEquals(const Value& v, double n) {
    return !v.isString() && v.toDouble() == n;
}

} // namespace

bool WatchExpressions::add(std::u16string text, std::int16_t mode) {
    if (full()) return false;
    texts_.push_back(std::make_unique<ScanText>(std::move(text)));
    compiled_.push_back(nullptr);
    WatchMode[texts_.size() - 1] = mode;
    return true;
}

void WatchExpressions::replace(int index, std::u16string text, std::int16_t mode) {
    texts_[static_cast<std::size_t>(index)] = std::make_unique<ScanText>(std::move(text));
    compiled_[static_cast<std::size_t>(index)] = nullptr;
    WatchMode[static_cast<std::size_t>(index)] = mode;
}

void WatchExpressions::remove(int index) {
    const auto at = static_cast<std::size_t>(index);
    texts_.erase(texts_.begin() + index);
    compiled_.erase(compiled_.begin() + index);
    for (std::size_t i = at; i < texts_.size(); ++i) {
        WatchMode[i] = WatchMode[i + 1];
        WatchValue[i] = WatchValue[i + 1];
    }
}

void WatchExpressions::clear() {
    texts_.clear();
    compiled_.clear();
}

Value WatchExpressions::evaluate(Interpreter& in, int index) {
    const auto i = static_cast<std::size_t>(index);
    if (compiled_[i]) {
        // The compiled form reads no token; the text is where an error stops.
        in.lexer.setText(texts_[i].get());
        return evaluatePrepared(in, *compiled_[i]);
    }
    in.lexer.start(texts_[i].get());
    const CompiledExpression* compiled = compiledExpressionHere(in);
    Value v = evaluateExpression(in);
    if (in.lexer.tokenKind != TokenEnd) raise(ErrSyntax);
    // The same text always reads the same way: it ends where it ended now.
    compiled_[i] = compiled;
    return v;
}

void WatchExpressions::compile(Interpreter& in) {
    WatchEvaluationScope scope(in);
    for (int i = 0; i < count(); ++i) {
        compiled_[static_cast<std::size_t>(i)] = nullptr;
        WatchValue[static_cast<std::size_t>(i)] = evaluate(in, i);
    }
}

int WatchExpressions::check(Interpreter& in) {
    WatchEvaluationScope scope(in);
    int fired = -1;
    for (int i = 0; i < count(); ++i) {
        Value now = evaluate(in, i);
        Value& last = WatchValue[static_cast<std::size_t>(i)];
        if (sameValue(now, last)) continue;
        const bool breaks = WatchMode[static_cast<std::size_t>(i)] == WatchBreakOnChange ||
                            (numericEquals(last, 0) && numericEquals(now, -1));
        if (breaks) fired = i;
        last = std::move(now);
    }
    return fired;
}

} // namespace korvelin

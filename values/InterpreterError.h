#pragma once
// An interpreter error by number (syntax error 1, subscript error 9 ...).
// Thrown where the error is detected and turned into raiseError once per
// statement, which then either reports it or hands it to ON ERROR GOTO.

#include <exception>
#include <string_view>

namespace korvelin {

class InterpreterError : public std::exception {
  public:
    explicit InterpreterError(int number, std::u16string_view detail = {}) noexcept
        : number_(number), detail_(detail) {}
    int number() const noexcept { return number_; }
    // An extra line for the report; points at static text.
    std::u16string_view detail() const noexcept { return detail_; }
    const char* what() const noexcept override { return "interpreter error"; }

  private:
    int number_;
    std::u16string_view detail_;
};

[[noreturn]] inline void raise(int errorNumber) {
    throw InterpreterError(errorNumber);
}

// Error numbers the engine raises by name.
enum ErrorNumber : int {
    ErrSyntax = 1,
    ErrNextWithoutFor = 2,
    ErrReturnWithoutGosub = 3,
    ErrOutOfData = 4,
    ErrIllegalCall = 5,
    ErrOverflow = 6,
    ErrUndefinedLine = 8,
    ErrSubscript = 9,
    ErrDuplicateDefinition = 10,
    ErrDivisionByZero = 11,
    ErrTypeMismatch = 13,
    ErrUndefinedFunction = 18,
    ErrResumeWithoutError = 20,
    ErrUnprintable = 21,
    ErrMissingOperand = 22,
    ErrWendWithoutWhile = 30,
    ErrDuplicateLabel = 31,
    ErrUndefinedLabel = 32,
    ErrBadFileNumber = 52,
    ErrFileAlreadyOpen = 54,
    ErrInputPastEnd = 55,
    ErrFileNotOpen = 60,
};

} // namespace korvelin

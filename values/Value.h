#pragma once
// The one dynamic value of the interpreter. Numbers live inline; a String
// holds its Shift-JIS (CP932) byte form in a shared, immutable buffer, so
// copying a Value never allocates.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace korvelin {

enum class ValueKind : std::uint8_t { Empty, Integer, Long, Single, Double, String, Boolean };

class Value {
  public:
    Value() noexcept : kind_(ValueKind::Empty) { payload_.d = 0; }
    ~Value() { release(); }

    Value(const Value& other) noexcept : kind_(other.kind_) {
        copyPayload(other);
        retain();
    }
    Value(Value&& other) noexcept : kind_(other.kind_) {
        copyPayload(other);
        other.kind_ = ValueKind::Empty;
    }
    Value& operator=(const Value& other) noexcept {
        if (this != &other) {
            other.retain();
            release();
            kind_ = other.kind_;
            copyPayload(other);
        }
        return *this;
    }
    Value& operator=(Value&& other) noexcept {
        if (this != &other) {
            release();
            kind_ = other.kind_;
            copyPayload(other);
            other.kind_ = ValueKind::Empty;
        }
        return *this;
    }

    static Value integer(std::int16_t v) noexcept {
        Value r(ValueKind::Integer);
        r.payload_.i = v;
        return r;
    }
    static Value longInt(std::int32_t v) noexcept {
        Value r(ValueKind::Long);
        r.payload_.l = v;
        return r;
    }
    static Value single(float v) noexcept {
        Value r(ValueKind::Single);
        r.payload_.f = v;
        return r;
    }
    static Value dbl(double v) noexcept {
        Value r(ValueKind::Double);
        r.payload_.d = v;
        return r;
    }
    static Value boolean(bool v) noexcept {
        Value r(ValueKind::Boolean);
        r.payload_.i = v ? -1 : 0;
        return r;
    }
    // A String from its CP932 byte form.
    static Value bytes(std::string bytes);
    // A String from Unicode text (program literals, host text).
    static Value text(std::u16string_view text);

    ValueKind kind() const noexcept { return kind_; }
    bool isString() const noexcept { return kind_ == ValueKind::String; }
    bool isEmpty() const noexcept { return kind_ == ValueKind::Empty; }
    // Integer, Long, Single, Double, Boolean and Empty take part in arithmetic as numbers.
    bool isNumeric() const noexcept { return kind_ != ValueKind::String; }

    // Raw payloads; valid only for the matching kind (Boolean uses rawInteger).
    std::int16_t rawInteger() const noexcept { return payload_.i; }
    std::int32_t rawLong() const noexcept { return payload_.l; }
    float rawSingle() const noexcept { return payload_.f; }
    double rawDouble() const noexcept { return payload_.d; }
    // The CP932 bytes of a String (empty for every other kind).
    const std::string& byteForm() const noexcept;
    // The Unicode text of a String.
    std::u16string unicodeText() const;

    // The numeric value as a double: Empty 0, Boolean -1/0, a String is parsed
    // as a number (a String that is not a number is a type mismatch).
    double toDouble() const;
    // The value written as text, as assigning it to a string does: numbers
    // without a leading blank ("5", "0.5", "-1E+20"), a String as it is.
    std::string toTextBytes() const;

  private:
    struct StringRep {
        std::uint32_t references;
        std::string bytes;
    };

    explicit Value(ValueKind kind) noexcept : kind_(kind) { payload_.d = 0; }
    void copyPayload(const Value& other) noexcept { payload_ = other.payload_; }
    void retain() const noexcept {
        if (kind_ == ValueKind::String) ++payload_.s->references;
    }
    void release() noexcept {
        if (kind_ == ValueKind::String && --payload_.s->references == 0) delete payload_.s;
    }

    union Payload {
        std::int16_t i;
        std::int32_t l;
        float f;
        double d;
        StringRep* s;
    };

    ValueKind kind_;
    Payload payload_;
};

} // namespace korvelin

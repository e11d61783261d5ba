#include "values/Value.h"

#include "values/Cp932.h"
#include "values/HostFailure.h"
#include "values/NumberText.h"

namespace korvelin {

namespace {

// ASCII is the same in CP932 and UTF-16, and it is nearly all the text a
// program handles, so it skips the codec.
template <class Char> bool isAscii(std::basic_string_view<Char> s) {
    for (Char c : s)
        if (static_cast<std::uint32_t>(c) >= 0x80) return false;
    return true;
}

} // namespace

Value Value::bytes(std::string bytes) {
    Value r(ValueKind::String);
    r.payload_.s = new StringRep{1, std::move(bytes)};
    return r;
}

Value Value::text(std::u16string_view text) {
    if (!isAscii(text)) return bytes(cp932::encode(text));
    std::string b(text.size(), '\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        b[i] = static_cast<char>(text[i]);
    return bytes(std::move(b));
}

const std::string& Value::byteForm() const noexcept {
    if (kind_ == ValueKind::String) return payload_.s->bytes;
    static const std::string noBytes;
    return noBytes;
}

std::u16string Value::unicodeText() const {
    const std::string& b = byteForm();
    const std::string_view view(b);
    if (!isAscii(view)) return cp932::decode(view);
    return std::u16string(b.begin(), b.end());
}

double Value::toDouble() const {
    switch (kind_) {
    case ValueKind::Integer:
    case ValueKind::Boolean: return payload_.i;
    case ValueKind::Long: return payload_.l;
    case ValueKind::Single: return payload_.f;
    case ValueKind::Double: return payload_.d;
    case ValueKind::Empty: return 0;
    case ValueKind::String: break;
    }
    double d = 0;
    if (!parseNumber(payload_.s->bytes, d)) failHost(HostFailureKind::TypeMismatch);
    return d;
}

std::string Value::toTextBytes() const {
    if (kind_ == ValueKind::String) return payload_.s->bytes;
    return numberText(*this);
}

} // namespace korvelin

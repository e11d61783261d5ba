// Build-time generator for the CP932 codec tables (values/Cp932.cpp).
//
// The host's iconv "CP932" converter follows Windows code page 932, including
// the NEC row 13, the NEC-selected IBM rows, the IBM rows and the user-defined
// area, and it picks the same code as Windows where a character has several.
// Asking it once per code is cheaper to trust than a hand-copied table. The
// program refuses to write anything when the converter disagrees with what the
// codec relies on, so a host with a different "CP932" fails the build instead
// of producing a subtly different interpreter.
//
// Usage: GenerateCp932Tables OUTPUT.h

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iconv.h>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

// The layout of the pair table, shared with the codec through the generated header.
constexpr int kLeadCount = 60; // 0x81-0x9F, 0xE0-0xFC
constexpr int kTrailFirst = 0x40;
constexpr int kTrailLast = 0xFC;
constexpr int kTrailCount = kTrailLast - kTrailFirst + 1;

// Bytes that cannot be decoded become U+F780 + byte. Only bytes >= 0x80 are
// ever invalid, so the block used is U+F800-U+F87F: clear of the user-defined
// area (U+E000-U+E757) and of the codes Windows gives 0xA0 and 0xFD-0xFF.
constexpr char16_t kInvalidByteBase = 0xF780;

constexpr std::uint16_t kQuestionMark = 0x3F;

bool isLead(int b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
int leadIndex(int b) {
    return b < 0xA0 ? b - 0x81 : b - 0xE0 + 31;
}
bool isValidSingle(int b) {
    return b < 0x80 || (b >= 0xA1 && b <= 0xDF);
}

[[noreturn]] void fail(const std::string& message) {
    std::fprintf(stderr, "GenerateCp932Tables: %s\n", message.c_str());
    std::exit(1);
}

std::string hex(unsigned value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%04X", value);
    return buffer;
}

class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            fail(std::string("iconv cannot convert from ") + from + " to " + to);
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // The whole input converted, or nothing when iconv rejects any of it.
    std::optional<std::vector<unsigned char>> convert(const std::vector<unsigned char>& input) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        std::vector<char> in(input.begin(), input.end());
        char out[32];
        char* inPtr = in.data();
        char* outPtr = out;
        size_t inLeft = in.size();
        size_t outLeft = sizeof out;
        if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || inLeft != 0)
            return std::nullopt;
        if (iconv(cd_, nullptr, nullptr, &outPtr, &outLeft) == static_cast<size_t>(-1)) return std::nullopt;
        return std::vector<unsigned char>(out, outPtr);
    }

  private:
    iconv_t cd_;
};

// One BMP character from CP932 bytes, or nothing.
std::optional<char16_t> decodeWithIconv(Converter& decoder, const std::vector<unsigned char>& bytes) {
    auto out = decoder.convert(bytes);
    if (!out || out->size() != 4) return std::nullopt;
    std::uint32_t c = (*out)[0] | (*out)[1] << 8 | (*out)[2] << 16 | std::uint32_t((*out)[3]) << 24;
    if (c > 0xFFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
    return static_cast<char16_t>(c);
}

void writeArray(std::ofstream& out, const char* type, const std::string& name,
                const std::vector<unsigned>& values) {
    out << "inline constexpr " << type << " " << name << "[" << values.size() << "] = {";
    for (size_t i = 0; i < values.size(); ++i) {
        out << (i % 12 == 0 ? "\n    " : " ") << hex(values[i]) << ",";
    }
    out << "\n};\n\n";
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) fail("usage: GenerateCp932Tables OUTPUT.h");

    Converter decoder("UTF-32LE", "CP932");
    Converter encoder("CP932", "UTF-32LE");

    for (int b = 0; b < 0x100; ++b) {
        if (!isValidSingle(b)) continue;
        auto c = decodeWithIconv(decoder, {static_cast<unsigned char>(b)});
        char16_t expected = b < 0x80 ? char16_t(b) : char16_t(0xFF61 + (b - 0xA1));
        if (c != expected) fail("iconv CP932 decodes single byte " + hex(b) + " unexpectedly");
    }

    // pairs[leadIndex * kTrailCount + trail - kTrailFirst]; 0 marks a pair that is not a character.
    std::vector<unsigned> pairs(kLeadCount * kTrailCount, 0);
    for (int lead = 0; lead < 0x100; ++lead) {
        if (!isLead(lead)) continue;
        for (int trail = kTrailFirst; trail <= kTrailLast; ++trail) {
            auto c = decodeWithIconv(decoder,
                                     {static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)});
            if (!c) continue;
            if (*c < 0x80 || (*c >= kInvalidByteBase + 0x80 && *c <= kInvalidByteBase + 0xFF))
                fail("iconv CP932 decodes " + hex(lead << 8 | trail) + " to " + hex(*c));
            pairs[leadIndex(lead) * kTrailCount + trail - kTrailFirst] = *c;
        }
    }
    auto pairAt = [&](unsigned code) {
        int lead = int(code >> 8), trail = int(code & 0xFF);
        if (!isLead(lead) || trail < kTrailFirst || trail > kTrailLast) return 0u;
        return pairs[leadIndex(lead) * kTrailCount + trail - kTrailFirst];
    };

    // The code of every BMP character: a single byte, lead << 8 | trail, or '?'.
    std::vector<unsigned> codes(0x10000, kQuestionMark);
    for (unsigned c = 0; c < 0x10000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        auto out = encoder.convert({static_cast<unsigned char>(c), static_cast<unsigned char>(c >> 8), 0, 0});
        if (!out) continue;
        if (out->size() == 1 && isValidSingle((*out)[0])) {
            codes[c] = (*out)[0];
        } else if (out->size() == 2 && pairAt((*out)[0] << 8 | (*out)[1]) != 0) {
            codes[c] = (*out)[0] << 8 | (*out)[1];
        } else {
            fail("iconv CP932 encodes " + hex(c) + " to an unexpected byte sequence");
        }
    }
    for (unsigned b = 0x80; b < 0x100; ++b) {
        if (codes[kInvalidByteBase + b] != kQuestionMark)
            fail("iconv CP932 maps " + hex(kInvalidByteBase + b) + ", needed for invalid bytes");
        codes[kInvalidByteBase + b] = b;
    }

    // Decoding then encoding a pair may only change it when the other code is
    // the same character, the one Windows writes.
    for (int lead = 0; lead < 0x100; ++lead) {
        if (!isLead(lead)) continue;
        for (int trail = kTrailFirst; trail <= kTrailLast; ++trail) {
            unsigned c = pairAt(unsigned(lead << 8 | trail));
            if (c != 0 && pairAt(codes[c]) != c)
                fail("the character of " + hex(unsigned(lead << 8 | trail)) + " does not encode to itself");
        }
    }

    // Most 256-character pages of the encode table are all '?', so the pages
    // are shared: pageIndex[c >> 8] picks one of the distinct pages.
    std::vector<unsigned> pageIndex(256);
    std::vector<unsigned> pageData;
    std::map<std::vector<unsigned>, unsigned> pageNumbers;
    for (unsigned page = 0; page < 256; ++page) {
        std::vector<unsigned> entries(codes.begin() + page * 256, codes.begin() + (page + 1) * 256);
        auto [it, added] = pageNumbers.emplace(entries, unsigned(pageNumbers.size()));
        if (added) pageData.insert(pageData.end(), entries.begin(), entries.end());
        pageIndex[page] = it->second;
    }

    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    if (!out) fail(std::string("cannot write ") + argv[1]);
    out << "// Generated at build time by tools/GenerateCp932Tables.cpp from iconv CP932. Do not edit.\n"
           "#pragma once\n\n#include <cstdint>\n\nnamespace korvelin::cp932::tables {\n\n"
        << "inline constexpr int kLeadCount = " << kLeadCount << ";\n"
        << "inline constexpr int kTrailFirst = " << hex(kTrailFirst) << ";\n"
        << "inline constexpr int kTrailLast = " << hex(kTrailLast) << ";\n"
        << "inline constexpr int kTrailCount = " << kTrailCount << ";\n"
        << "inline constexpr char16_t kInvalidByteBase = " << hex(kInvalidByteBase) << ";\n\n";
    writeArray(out, "char16_t", "kPairs", pairs);
    writeArray(out, "std::uint8_t", "kEncodePageIndex", pageIndex);
    writeArray(out, "std::uint16_t", "kEncodePages", pageData);
    out << "} // namespace korvelin::cp932::tables\n";
    out.close();
    if (!out) fail(std::string("cannot write ") + argv[1]);
    return 0;
}

#include "devices/WavRecorder.h"

#include <QtEndian>

#include <array>

namespace korvelin {

namespace {

void put32(char* at, std::uint32_t v) {
    qToLittleEndian(v, at);
}
void put16(char* at, std::uint16_t v) {
    qToLittleEndian(v, at);
}

} // namespace

WavRecorder::WavRecorder(const QString& path) : file_(path) {
    if (file_.open(QIODevice::WriteOnly | QIODevice::Truncate)) writeHeader();
}

void WavRecorder::writeHeader() {
    std::array<char, 44> h{};
    const auto rate = static_cast<std::uint32_t>(ToneSynthesizer::SampleRate);
    const auto data = static_cast<std::uint32_t>(dataBytes_);
    std::copy_n("RIFF", 4, h.data());
    put32(h.data() + 4, 36 + data);
    std::copy_n("WAVEfmt ", 8, h.data() + 8);
    put32(h.data() + 16, 16);       // fmt chunk size
    put16(h.data() + 20, 1);        // PCM
    put16(h.data() + 22, 1);        // mono
    put32(h.data() + 24, rate);     // samples per second
    put32(h.data() + 28, rate * 2); // bytes per second
    put16(h.data() + 32, 2);        // bytes per sample frame
    put16(h.data() + 34, 16);       // bits per sample
    std::copy_n("data", 4, h.data() + 36);
    put32(h.data() + 40, data);
    const qint64 end = file_.pos();
    file_.seek(0);
    file_.write(h.data(), static_cast<qint64>(h.size()));
    file_.seek(std::max<qint64>(end, static_cast<qint64>(h.size())));
}

void WavRecorder::renderAll() {
    if (!file_.isOpen()) {
        synthesizer_.clear();
        return;
    }
    std::array<std::int16_t, 4096> block{};
    while (!synthesizer_.idle()) {
        const std::size_t n = synthesizer_.render(block.data(), block.size());
        const auto bytes = static_cast<std::int64_t>(n * sizeof(std::int16_t));
        if (dataBytes_ + bytes > MaximumDataBytes) {
            synthesizer_.clear();
            break;
        }
        for (std::int16_t& s : block)
            s = qToLittleEndian(s);
        if (file_.write(reinterpret_cast<const char*>(block.data()), bytes) != bytes) {
            // A full disk ends the recording; the header keeps what was written.
            synthesizer_.clear();
            break;
        }
        dataBytes_ += bytes;
    }
    writeHeader();
    file_.flush();
}

void WavRecorder::play(std::vector<Tone> tones) {
    synthesizer_.queue(tones);
    renderAll();
}

void WavRecorder::beep() {
    synthesizer_.startBeep();
    renderAll();
}

} // namespace korvelin

#include "app/BatchHost.h"

#include "interpreter/Interpreter.h"

#include "screen/statements/ConsoleInput.h"
#include <QCoreApplication>

#include <algorithm>

namespace korvelin {

namespace {

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void appendUtf16(std::u16string& out, long c) {
    if (c >= 0x10000) {
        c -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (c >> 10));
        out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
        out += static_cast<char16_t>(c);
    }
}

} // namespace

void BatchHost::attach(Interpreter& in) {
    in_ = &in;
    in.screen.transcript = this;
}

bool BatchHost::loadProgramFile(const std::u16string& path) {
    std::u16string text;
    if (!loadFile || !loadFile(path, text)) {
        showErrorBox(u"ファイルが見つかりません。");
        return false;
    }
    program = std::move(text);
    return true;
}

void BatchHost::runStopped(RunStop stop) {
    stoppedAtBreak = stop == RunStop::Break;
    flush();
}

void BatchHost::showErrorBox(const std::u16string& text) {
    errorReported = true;
    showWarningBox(text);
}

// On stderr, one line per line of the box; the program goes on.
void BatchHost::showWarningBox(const std::u16string& text) {
    std::u16string lines;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') continue;
        lines += text[i];
    }
    lines += u'\n';
    std::fflush(output_);
    writeText(errors_, lines);
    std::fflush(errors_);
}

void BatchHost::showInputBox() {
    inputOpen_ = true;
    inputTag_ = InputBoxTag::Typing;
}

void BatchHost::processEvents() {
    if ((++passes_ & 63) == 0 && in_ && in_->files.hasSerialPort()) QCoreApplication::processEvents();
}

void BatchHost::waitForEvents() {
    if (!in_) return;
    if (inputOpen_) {
        std::fflush(output_);
        std::u16string line;
        if (!readLine(line)) {
            inputTag_ = InputBoxTag::Forced;
            inputOpen_ = false;
            return;
        }
        if (acceptConsoleInput(*in_, line)) {
            inputTag_ = InputBoxTag::Accepted;
            inputOpen_ = false;
        } else {
            // Rejected input is typed again: the next line of stdin.
            writeText(errors_, u"入力に誤りがあります。\n");
            std::fflush(errors_);
        }
        return;
    }
    // With the serial port open the wait is for its data, which comes
    // through the event loop; sleeping there costs no CPU.
    if (in_->files.hasSerialPort()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        return;
    }
    // A program that waits for keys gets one more; none is left to come
    // when stdin has ended.
    if (!readKeys(in_->keyboard.keyBuffer, in_->keyboard.keyBuffer.size() + 1)) requestEnd();
}

// INKEY$ does not wait: after the end of stdin it finds no key, as in a
// window where nobody types, until the polls show the program waiting.
void BatchHost::keysWanted(std::u16string& keyBuffer, std::size_t count) {
    if (readKeys(keyBuffer, count)) return;
    if (++pollsAtEnd_ > EndlessPolls) requestEnd();
}

bool BatchHost::readKeys(std::u16string& keyBuffer, std::size_t count) {
    std::fflush(output_);
    while (keyBuffer.size() < count) {
        char16_t key;
        if (!readKey(key)) return false;
        keyBuffer += key;
    }
    return true;
}

void BatchHost::requestEnd() {
    if (!in_) return;
    in_->events.eventTarget[EventEndRequest] = -1;
    in_->events.pendingEvent = EventEndRequest;
}

long BatchHost::readCodePoint() {
    if (pushedBack_ != -2) {
        const long c = pushedBack_;
        pushedBack_ = -2;
        return c;
    }
    const int b = std::getc(input_);
    if (b == EOF) return -1;
    int more = 0;
    long c = b;
    if (b >= 0xF0 && b < 0xF8) {
        more = 3;
        c = b & 0x07;
    } else if (b >= 0xE0) {
        more = 2;
        c = b & 0x0F;
    } else if (b >= 0xC0) {
        more = 1;
        c = b & 0x1F;
    } else if (b >= 0x80) {
        return 0xFFFD;
    }
    for (int i = 0; i < more; ++i) {
        const int next = std::getc(input_);
        if (next == EOF || (next & 0xC0) != 0x80) {
            if (next != EOF) std::ungetc(next, input_);
            return 0xFFFD;
        }
        c = (c << 6) | (next & 0x3F);
    }
    return c;
}

bool BatchHost::readLine(std::u16string& line) {
    line.clear();
    long c = readCodePoint();
    if (c < 0) return false;
    for (; c >= 0 && c != '\n'; c = readCodePoint()) {
        if (c == '\r') {
            const long next = readCodePoint();
            if (next != '\n' && next >= 0) pushedBack_ = next;
            break;
        }
        appendUtf16(line, c);
    }
    return true;
}

bool BatchHost::readKey(char16_t& key) {
    const long c = readCodePoint();
    if (c < 0) return false;
    if (c == '\r') {
        const long next = readCodePoint();
        if (next != '\n' && next >= 0) pushedBack_ = next;
        key = 13;
    } else if (c == '\n') {
        key = 13;
    } else {
        // A key is one character of the screen's character set.
        key = c >= 0x10000 ? u'?' : static_cast<char16_t>(c);
    }
    return true;
}

// The transcript shows what the console draws: a control character takes
// one blank cell there (no glyph) and moves nothing, so it is a blank here
// too rather than a line break or a terminal command in stdout.
void BatchHost::consoleText(std::u16string_view text) {
    const auto isControl = [](char16_t c) { return c < 0x20 || c == 0x7F; };
    if (std::none_of(text.begin(), text.end(), isControl)) {
        writeText(output_, text);
        return;
    }
    std::u16string shown(text);
    std::replace_if(shown.begin(), shown.end(), isControl, u' ');
    writeText(output_, shown);
}

void BatchHost::consoleLineEnd() {
    std::fputc('\n', output_);
}

void BatchHost::flush() {
    std::fflush(output_);
    std::fflush(errors_);
}

void BatchHost::writeText(std::FILE* file, std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        appendUtf8(bytes, c);
    }
    std::fwrite(bytes.data(), 1, bytes.size(), file);
}

} // namespace korvelin

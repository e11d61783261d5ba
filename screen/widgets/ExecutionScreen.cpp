#include "screen/widgets/ExecutionScreen.h"

#include "interpreter/Interpreter.h"
#include "platform/widgets/UserDialogs.h"
#include "screen/statements/ConsoleInput.h"
#include "screen/widgets/BreakKeys.h"
#include "values/Cp932.h"

#include <QApplication>
#include <QCloseEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <ctime>

namespace korvelin {

namespace {

// What a special key puts into the key buffer; 0 for keys whose character,
// if any, comes with the key press. End is the HELP key and F1..F15 are
// handled apart.
char16_t specialKeyCode(int key) {
    switch (key) {
    case Qt::Key_PageUp: return 0xF9;
    case Qt::Key_PageDown: return 0xF8;
    case Qt::Key_Home: return 0x0C;
    case Qt::Key_Left: return 0x1D;
    case Qt::Key_Up: return 0x1E;
    case Qt::Key_Right: return 0x1C;
    case Qt::Key_Down: return 0x1F;
    case Qt::Key_Insert: return 0x12;
    case Qt::Key_Delete: return 0x7F;
    default: return 0;
    }
}

int buttonNumber(Qt::MouseButton button) {
    if (button == Qt::LeftButton) return 1;
    if (button == Qt::RightButton) return 2;
    return 0; // the middle button and the others are not the program's
}

// The single-byte character of a code, as CHR$ makes it.
std::u16string byteCharacter(char16_t code) {
    return cp932::decode(std::string(1, static_cast<char>(code)));
}

} // namespace

ExecutionScreen::ExecutionScreen() {
    setWindowTitle(caption());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_InputMethodEnabled);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    resize(640, 400);
    picture_ = QImage(640, 400, QImage::Format_RGB32);
    picture_.fill(Qt::black);

    Text2 = new ConsoleLineEdit(this);
    Text2->lineEntered = [this](const QString& line) { return enterLine(line); };
    Text2->functionKeyText = [this](int n) {
        if (!in_) return QString();
        return QString::fromStdU16String(in_->keyboard.functionKeyText[static_cast<std::size_t>(n)]);
    };
}

void ExecutionScreen::attach(Interpreter& interpreter, UserDialogs& dialogs,
                             std::function<bool()> programRunning, std::function<void()> closeApplication) {
    in_ = &interpreter;
    dialogs_ = &dialogs;
    programRunning_ = std::move(programRunning);
    closeApplication_ = std::move(closeApplication);
    followScreenSize();
}

bool ExecutionScreen::takesInput() const {
    return in_ && programRunning_ && programRunning_();
}

// --- what the editor and the execution control ask ---

void ExecutionScreen::showScreen() {
    // Shown at its normal size: neither minimised nor maximised.
    if (isMinimized() || isMaximized()) showNormal();
    show();
    raise();
    activateWindow();
}

void ExecutionScreen::clearScreen() {
    if (!in_) return;
    ScreenState& s = in_->screen;
    const ColorRef background = s.ColorValue(s.backgroundColor);
    s.clearPage(0, background);
    s.clearPage(1, background);
    s.takeDisplayChanges();
    s.pagePen(0) = {};
    s.pagePen(1) = {};
    s.windowPen = {};
    s.cursorColumn = 0;
    s.cursorRow = 0;
    s.lastPointX = Value::integer(0);
    s.lastPointY = Value::integer(0);
    picture_ = QImage(pageArea(), QImage::Format_RGB32);
    picture_.fill(pixelOf(background));
    update();
}

void ExecutionScreen::runStarting() {
    show();
    pagesTakeWindowPicture();
    setAutoRedraw(false);
    setFocus();
}

void ExecutionScreen::pagesTakeWindowPicture() {
    // A new run starts from what the window shows, not from what the pages
    // still hold beyond it: drawing that a small window hid (and CLS, which
    // clears only the console window, left) must not come back with it.
    if (!in_) return;
    ScreenState& s = in_->screen;
    QImage shown(pageArea(), QImage::Format_RGB32);
    shown.fill(Qt::black);
    QPainter(&shown).drawImage(0, 0, picture_);
    for (int n = 0; n < 2; ++n) {
        s.clearPage(n, s.ColorValue(s.backgroundColor));
        QPainter(&s.page(n)).drawImage(0, 0, shown);
    }
}

void ExecutionScreen::runResuming() {
    setAutoRedraw(false);
    setFocus();
}

void ExecutionScreen::runStopped() {
    refresh();
    setAutoRedraw(true);
}

void ExecutionScreen::setAutoRedraw(bool on) {
    if (!in_) return;
    persistent_ = on;
    if (on) {
        // The picture the window shows now is the one it keeps.
        const QImage& page = in_->screen.page(in_->screen.displayPage);
        picture_ = QImage(pageArea(), QImage::Format_RGB32);
        picture_.fill(Qt::black);
        QPainter painter(&picture_);
        painter.drawImage(0, 0, page, 0, 0, picture_.width(), picture_.height());
    }
    update();
}

void ExecutionScreen::setFocus() {
    activateWindow();
    if (Text2->isVisible())
        Text2->setFocus();
    else
        QWidget::setFocus();
}

void ExecutionScreen::setCaption(const QString& caption) {
    ExecutionScreenPort::setCaption(caption);
    setWindowTitle(caption);
}

void ExecutionScreen::refresh() {
    if (!in_) return;
    followScreenSize();
    const QRect changed = in_->screen.takeDisplayChanges();
    if (!persistent_ && !changed.isEmpty()) update(QRect(changed.topLeft() * zoom_, changed.size() * zoom_));
}

void ExecutionScreen::setZoom(int factor) {
    factor = std::clamp(factor, 1, 3);
    if (factor == zoom_) return;
    zoom_ = factor;
    Text2->setZoom(zoom_);
    if (in_) {
        resizing_ = true;
        resize(QSize(in_->screen.clientWidth, in_->screen.clientHeight) * zoom_);
        resizing_ = false;
    }
    if (Text2->isVisible()) placeInputBox();
    update();
}

namespace {

std::int64_t threadCpuMicroseconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<std::int64_t>(t.tv_sec) * 1000000 + t.tv_nsec / 1000;
}

} // namespace

void ExecutionScreen::keyPollEmpty() {
    // Polls less than a few milliseconds apart with no drawing between them
    // are a program waiting for a key. Once that has gone on for a while,
    // each empty poll blocks until a window event arrives (a key wakes it
    // at once) or a short time has passed, so the wait costs no CPU while
    // a program that draws or computes between its polls runs at full speed.
    // The gap between polls is the CPU time the program used in between, so
    // that a busy machine pre-empting it does not pass for work it did.
    constexpr std::int64_t tightGapMicroseconds = 5000;
    constexpr int streakMs = 50;
    constexpr int napMs = 10;
    if (!in_) return;
    const std::uint64_t version = in_->screen.displayVersion();
    const std::int64_t now = threadCpuMicroseconds();
    const bool tight =
        lastPollCpuMicroseconds_ >= 0 && now - lastPollCpuMicroseconds_ <= tightGapMicroseconds;
    lastPollCpuMicroseconds_ = now;
    if (!tight || version != pollDisplayVersion_ || !pollStreak_.isValid()) {
        pollDisplayVersion_ = version;
        pollStreak_.start();
        return;
    }
    if (pollStreak_.elapsed() < streakMs) return;
    refresh();
    QTimer::singleShot(napMs, this, [] {});
    QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    lastPollCpuMicroseconds_ = threadCpuMicroseconds();
}

void ExecutionScreen::closeScreen() {
    closingForGood_ = true;
    close();
}

// --- the console line editor ---

void ExecutionScreen::showInputBox() {
    refresh();
    if (in_) {
        const ScreenState& s = in_->screen;
        Text2->setConsoleColors(QColor::fromRgb(pixelOf(s.ColorValue(s.textColor))),
                                QColor::fromRgb(pixelOf(s.ColorValue(s.backgroundColor))));
    }
    placeInputBox();
    Text2->clear();
    Text2->tag = InputBoxTag::Typing;
    Text2->show();
    Text2->setFocus();
}

void ExecutionScreen::placeInputBox() {
    const PenPosition pen = in_ ? in_->screen.windowPen : PenPosition{};
    Text2->move(pen.x * zoom_, pen.y * zoom_);
    Text2->resize(std::max(8 * CellWidth, pageArea().width() - pen.x) * zoom_, Text2->height());
}

void ExecutionScreen::hideInputBox() {
    Text2->hide();
    if (isVisible()) QWidget::setFocus();
}

InputBoxTag ExecutionScreen::enterLine(const QString& line) {
    if (!in_) return InputBoxTag::Rejected;
    if (!acceptConsoleInput(*in_, line.toStdU16String())) {
        dialogs_->message(this, QMessageBox::Warning, QStringLiteral("入力に誤りがあります。"));
        return InputBoxTag::Rejected;
    }
    hideInputBox();
    refresh();
    return InputBoxTag::Accepted;
}

// --- the window ---

void ExecutionScreen::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect area = event->rect();
    painter.fillRect(area, Qt::black);
    const QImage& image = persistent_ || !in_ ? picture_ : in_->screen.page(in_->screen.displayPage);
    if (zoom_ == 1) {
        painter.drawImage(area.topLeft(), image, area);
        return;
    }
    // Each page pixel becomes a zoom x zoom block (no smoothing).
    const QRect source(area.x() / zoom_, area.y() / zoom_, area.width() / zoom_ + 2,
                       area.height() / zoom_ + 2);
    painter.drawImage(QRect(source.topLeft() * zoom_, source.size() * zoom_), image, source);
}

void ExecutionScreen::followScreenSize() {
    const QSize wanted = QSize(in_->screen.clientWidth, in_->screen.clientHeight) * zoom_;
    if (size() == wanted || isMaximized() || isMinimized()) return;
    resizing_ = true;
    resize(wanted);
    resizing_ = false;
}

void ExecutionScreen::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize(event->size() / zoom_);
    if (Text2->isVisible()) placeInputBox();
}

void ExecutionScreen::Form_Resize(QSize client) {
    if (!in_ || isMinimized() || resizing_) return;
    ScreenState& s = in_->screen;
    // The size the program asked for (WIDTH) or the one just snapped to.
    if (client == QSize(s.clientWidth, s.clientHeight)) return;
    const int old = s.pageHeightUnits;
    const int columns = std::max(1, static_cast<int>(std::floor(client.width() / 8.0 + 0.5)));
    const int units = std::max(1, static_cast<int>(std::floor(client.height() / 16.0 + 0.5)));
    s.textColumns = columns;
    s.pageHeightUnits = static_cast<std::int16_t>(units);
    if (old == static_cast<int>(std::ceil(s.rowHeight * s.consoleLines / 16.0)) && s.consoleTop == 0)
        s.consoleLines = static_cast<std::int16_t>(std::floor(units * 16.0 / s.rowHeight));
    if (isMaximized()) {
        s.clientWidth = client.width();
        s.clientHeight = client.height();
        return;
    }
    // A size dragged by the user snaps to whole cells.
    s.clientWidth = CellWidth * columns;
    s.clientHeight = CellHeight * units;
    resizing_ = true;
    resize(QSize(s.clientWidth, s.clientHeight) * zoom_);
    resizing_ = false;
}

void ExecutionScreen::closeEvent(QCloseEvent* event) {
    hide();
    if (closingForGood_) {
        event->accept();
        return;
    }
    // The window object lives as long as the session; closing it asks the
    // editor to end the application (which first ends a running program).
    event->ignore();
    if (startingUp_) return;
    if (closeApplication_) closeApplication_();
}

// --- keyboard ---

void ExecutionScreen::keyPressEvent(QKeyEvent* event) {
    if (takesInput() && breakCommand_ && isBreakKey(*event)) {
        breakCommand_();
        event->accept();
        return;
    }
    if (Text2->isVisible()) {
        // The waiting INPUT takes the keys even when the form has the
        // focus. A key the line editor ignores comes back here as its
        // parent, and goes no further.
        if (forwardingKey_) return;
        forwardingKey_ = true;
        Text2->setFocus();
        QApplication::sendEvent(Text2, event);
        forwardingKey_ = false;
        event->accept();
        return;
    }
    if (!takesInput()) {
        QWidget::keyPressEvent(event);
        return;
    }
    bool consumed = false;
    Form_KeyDown(event, consumed);
    if (!consumed) Form_KeyPress(event->text());
    event->accept();
}

bool ExecutionScreen::focusNextPrevChild(bool next) {
    // Tab is a key of the program (character 9), not a focus move.
    if (takesInput()) return false;
    return QWidget::focusNextPrevChild(next);
}

void ExecutionScreen::Form_KeyDown(QKeyEvent* event, bool& consumed) {
    KeyboardState& keyboard = in_->keyboard;
    EventTables& events = in_->events;
    const int key = event->key();
    if (key >= Qt::Key_F1 && key <= Qt::Key_F15) {
        const int n = key - Qt::Key_F1 + 1;
        if (!events.raiseTrap(n, in_->control.controlTop))
            keyboard.keyBuffer += keyboard.functionKeyText[static_cast<std::size_t>(n)];
        if (n == 10) sendEscapeAfterF10(this);
        consumed = true;
        return;
    }
    if (key == Qt::Key_End) {
        if (!events.raiseTrap(EventHelpKey, in_->control.controlTop)) keyboard.keyBuffer += u'\x01';
        consumed = true;
        return;
    }
    if (const char16_t code = specialKeyCode(key)) {
        keyboard.keyBuffer += byteCharacter(code);
        consumed = true;
    }
}

void ExecutionScreen::Form_KeyPress(const QString& text) {
    in_->keyboard.keyBuffer += text.toStdU16String();
}

void ExecutionScreen::inputMethodEvent(QInputMethodEvent* event) {
    // Kana and kanji composed by an input method arrive as their characters.
    if (takesInput() && !event->commitString().isEmpty()) Form_KeyPress(event->commitString());
    event->accept();
}

QVariant ExecutionScreen::inputMethodQuery(Qt::InputMethodQuery query) const {
    if (query == Qt::ImEnabled) return true;
    if (query == Qt::ImCursorRectangle && in_) {
        const PenPosition pen = in_->screen.windowPen;
        return QRect(pen.x * zoom_, pen.y * zoom_, CellWidth * zoom_, CellHeight * zoom_);
    }
    return QWidget::inputMethodQuery(query);
}

// --- mouse ---

// Programs read page pixels, whatever the zoom.
void ExecutionScreen::mousePressEvent(QMouseEvent* event) {
    if (takesInput()) Form_MouseDown(event->button(), event->position() / zoom_);
    event->accept();
}

void ExecutionScreen::mouseReleaseEvent(QMouseEvent* event) {
    if (takesInput()) Form_MouseUp(event->button(), event->position() / zoom_);
    event->accept();
}

void ExecutionScreen::mouseMoveEvent(QMouseEvent* event) {
    if (takesInput()) Form_MouseMove(event->position() / zoom_);
    event->accept();
}

void ExecutionScreen::Form_MouseDown(Qt::MouseButton button, QPointF position) {
    KeyboardState& k = in_->keyboard;
    recordButton(button, position, k.buttonDownX, k.buttonDownY, EventMouseMove);
}

void ExecutionScreen::Form_MouseUp(Qt::MouseButton button, QPointF position) {
    KeyboardState& k = in_->keyboard;
    recordButton(button, position, k.buttonUpX, k.buttonUpY, EventMouseMove + 2);
}

// Buttons 1 and 2 (left, right) record where they went down or up and
// raise event firstEvent + button; the middle button is ignored.
void ExecutionScreen::recordButton(Qt::MouseButton button, QPointF position, std::array<float, 3>& xs,
                                   std::array<std::int16_t, 3>& ys, int firstEvent) {
    const int b = buttonNumber(button);
    if (b == 0) return;
    KeyboardState& k = in_->keyboard;
    const auto i = static_cast<std::size_t>(b);
    k.mouseX = static_cast<float>(position.x());
    k.mouseY = static_cast<std::int16_t>(std::lround(position.y()));
    xs[i] = k.mouseX;
    ys[i] = k.mouseY;
    in_->events.raiseTrap(firstEvent + b, in_->control.controlTop);
}

void ExecutionScreen::Form_MouseMove(QPointF position) {
    KeyboardState& k = in_->keyboard;
    k.mouseX = static_cast<float>(position.x());
    k.mouseY = static_cast<std::int16_t>(std::lround(position.y()));
    in_->events.raiseTrap(EventMouseMove, in_->control.controlTop);
}

} // namespace korvelin

#include "platform/controls.h"

#include <algorithm>
#include <limits>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QStyle>

#include "platform/dispatch.h"
#include "platform/form.h"
#include "platform/internal.h"

namespace platform {

using detail::qs;
using detail::ss;

// --- Label

Label::Label(Container& holder, const std::string& caption) : Control(holder, new QLabel), label_(static_cast<QLabel*>(widget())) {
    label_->setWordWrap(true);
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label_->setText(qs(caption));
}

std::string Label::Caption() const { return ss(label_->text()); }
void Label::setCaption(const std::string& text) { label_->setText(qs(text)); }

// --- TextBox

namespace {

// A multi-line edit that takes from a paste or a drop only the lines it has room for (maxBreaks
// line breaks in all; negative: any number).
class LineLimitedEdit : public QPlainTextEdit {
public:
    int maxBreaks = -1;

    int roomForBreaks() const {
        if (maxBreaks < 0) return std::numeric_limits<int>::max();
        const QTextCursor c = textCursor();
        const QString rest = toPlainText().remove(c.selectionStart(), c.selectionEnd() - c.selectionStart());
        return std::max(0, maxBreaks - static_cast<int>(rest.count('\n')));
    }

protected:
    void insertFromMimeData(const QMimeData* source) override {
        if (maxBreaks < 0 || !source->hasText()) return QPlainTextEdit::insertFromMimeData(source);
        const QStringList lines = source->text().split(QRegularExpression("\r\n|\r|\n"));
        insertPlainText(lines.mid(0, roomForBreaks() + 1).join('\n'));
    }
};

QWidget* makeTextWidget(TextBox::Kind kind) {
    if (kind == TextBox::MultiLine) {
        // Tab leaves the box, as from any other control; a comment has no use for tab characters.
        auto* edit = new LineLimitedEdit;
        edit->setTabChangesFocus(true);
        return edit;
    }
    return new QLineEdit;
}

// The character code a key press types, or 0 for keys that type nothing (arrows, function keys).
int keyAsciiOf(const QKeyEvent& e) {
    if (detail::isEnterKey(e)) return 13;
    switch (e.key()) {
    case Qt::Key_Escape: return 27;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 0;  // moves the focus
    default: break;
    }
    const QString text = e.text();
    if (text.isEmpty() || text.at(0).unicode() < 32 || text.at(0).unicode() == 127) return 0;
    return text.at(0).unicode();
}

}  // namespace

TextBox::TextBox(Container& holder, Kind kind) : Control(holder, makeTextWidget(kind)) {
    line_ = qobject_cast<QLineEdit*>(widget());
    multi_ = qobject_cast<QPlainTextEdit*>(widget());
    if (line_) {
        QObject::connect(line_, &QLineEdit::textEdited, context(), [this](const QString& t) { userEdited(ss(t)); });
    } else {
        QObject::connect(multi_, &QPlainTextEdit::textChanged, context(),
                         [this] { userEdited(ss(multi_->toPlainText())); });
    }
}

std::string TextBox::Text() const { return text_; }

void TextBox::putText(const std::string& text) {
    const QSignalBlocker block(widget());
    if (line_)
        line_->setText(qs(text));
    else
        multi_->setPlainText(qs(text));
}

void TextBox::setText(const std::string& text) {
    const std::string kept = withinMaxLines(text);
    if (kept == text_) return;
    text_ = kept;
    putText(kept);
    raise(Change, designing());
}

void TextBox::userEdited(const std::string& text) {
    const std::string kept = withinMaxLines(text);
    if (kept != text) {
        // Only an edit that went round the key and paste limits comes here.
        putText(kept);
        multi_->moveCursor(QTextCursor::End);
    }
    if (kept == text_) return;
    text_ = kept;
    raiseUser(Change);
}

void TextBox::setMaxLines(int lines) {
    if (lines < 0) raiseError(errInvalidPropertyValue);
    maxLines_ = lines;
    if (multi_) static_cast<LineLimitedEdit*>(multi_)->maxBreaks = lines - 1;
    setText(text_);
}

std::string TextBox::withinMaxLines(const std::string& text) const {
    if (!multi_ || maxLines_ <= 0) return text;
    std::size_t lineEnd = 0;
    for (int line = 0; line < maxLines_; ++line) {
        lineEnd = text.find('\n', line == 0 ? 0 : lineEnd + 1);
        if (lineEnd == std::string::npos) return text;
    }
    return text.substr(0, lineEnd);
}

int TextBox::roomForBreaks() const {
    return multi_ ? static_cast<const LineLimitedEdit*>(multi_)->roomForBreaks() : 0;
}

int TextBox::SelStart() const {
    if (line_) return line_->hasSelectedText() ? line_->selectionStart() : line_->cursorPosition();
    return multi_->textCursor().selectionStart();
}

int TextBox::SelLength() const {
    if (line_) return line_->hasSelectedText() ? static_cast<int>(line_->selectedText().size()) : 0;
    const QTextCursor c = multi_->textCursor();
    return c.selectionEnd() - c.selectionStart();
}

void TextBox::setSelStart(int start) {
    const int length = static_cast<int>(qs(text_).size());
    start = std::clamp(start, 0, length);
    if (line_) {
        line_->setCursorPosition(start);
    } else {
        QTextCursor c = multi_->textCursor();
        c.setPosition(start);
        multi_->setTextCursor(c);
    }
}

void TextBox::setSelLength(int length) {
    const int total = static_cast<int>(qs(text_).size());
    const int start = SelStart();
    length = std::clamp(length, 0, total - start);
    if (line_) {
        line_->setSelection(start, length);
    } else {
        QTextCursor c = multi_->textCursor();
        c.setPosition(start);
        c.setPosition(start + length, QTextCursor::KeepAnchor);
        multi_->setTextCursor(c);
    }
}

bool TextBox::userKey(int& keyAscii) {
    dispatchEvent([&] {
        if (KeyPress) KeyPress(keyAscii);
    });
    return keyAscii != 0;
}

bool TextBox::widgetEvent(QEvent* event) {
    if (event->type() != QEvent::KeyPress || detail::codeDepth() > 0) return Control::widgetEvent(event);
    const auto& key = static_cast<const QKeyEvent&>(*event);
    int typed = keyAsciiOf(key);
    // In a multi-line box Enter with Ctrl or Shift held breaks the line (10); Enter alone stays the
    // form's default button.
    if (multi_ && typed == 13 && (key.modifiers() & (Qt::ControlModifier | Qt::ShiftModifier))) typed = 10;
    if (typed == 0) return false;
    int code = typed;
    if (!userKey(code)) return true;
    if (code != typed) {
        // The handler typed another character in place of the key.
        if (code >= 32) {
            if (line_)
                line_->insert(QString(QChar(code)));
            else
                multi_->insertPlainText(QString(QChar(code)));
        }
        return true;
    }
    CommandButton* const target = form().enterTarget(this);
    const bool breaksLine = multi_ && (code == 10 || (code == 13 && !target));
    if (breaksLine && roomForBreaks() == 0) return true;
    if (code == 13 && multi_ && target) {
        target->userClick();
        return true;
    }
    if (code == 10 && multi_) {
        multi_->insertPlainText("\n");
        return true;
    }
    return false;
}

// --- CommandButton

namespace {

// A push button that draws a dotted frame inside its face while it has the focus, so that the focus
// is never taken for the default marking: the style draws both as a coloured outline.
class FramedButton : public QPushButton {
protected:
    void paintEvent(QPaintEvent* event) override {
        QPushButton::paintEvent(event);
        if (!hasFocus()) return;
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::ButtonText), 1, Qt::DotLine));
        constexpr int inset = 4;
        painter.drawRect(rect().adjusted(inset, inset, -inset - 1, -inset - 1));
    }
    // Enter goes on to the form's key handler, which presses the button Form::enterTarget names;
    // the toolkit's own default-button handling never decides it.
    void keyPressEvent(QKeyEvent* event) override {
        if (detail::isEnterKey(*event))
            event->ignore();
        else
            QPushButton::keyPressEvent(event);
    }
};

}  // namespace

CommandButton::CommandButton(Container& holder, const std::string& caption)
    : Control(holder, new FramedButton), button_(static_cast<QPushButton*>(widget())) {
    button_->setAutoDefault(false);
    button_->setText(qs(caption));
    QObject::connect(button_, &QPushButton::clicked, context(), [this] { userClick(); });
}

CommandButton::~CommandButton() {
    form().setDefaultButton(this, false);
    form().setCancelButton(this, false);
}

std::string CommandButton::Caption() const { return ss(button_->text()); }
void CommandButton::setCaption(const std::string& text) { button_->setText(qs(text)); }

void CommandButton::setDefault(bool on) {
    default_ = on;
    form().setDefaultButton(this, on);
    markEnterTarget();
}

void CommandButton::setCancel(bool on) {
    cancel_ = on;
    form().setCancelButton(this, on);
}

void CommandButton::userClick() {
    if (!Enabled() || !Visible()) return;
    raiseUser(Click);
}

bool CommandButton::widgetEvent(QEvent* event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) markEnterTarget();
    return Control::widgetEvent(event);
}

void CommandButton::markEnterTarget() {
    const CommandButton* target = form().enterTarget(detail::keyboardFocus(form()));
    for (Control* c : form().controls())
        if (auto* button = dynamic_cast<CommandButton*>(c)) button->button_->setDefault(button == target);
}

// --- CheckBox

CheckBox::CheckBox(Container& holder, const std::string& caption)
    : Control(holder, new QCheckBox), box_(static_cast<QCheckBox*>(widget())) {
    box_->setText(qs(caption));
    QObject::connect(box_, &QCheckBox::clicked, context(), [this](bool) { userClick(); });
}

std::string CheckBox::Caption() const { return ss(box_->text()); }
void CheckBox::setCaption(const std::string& text) { box_->setText(qs(text)); }

void CheckBox::setValue(int value) {
    if (value != 0 && value != 1) raiseError(errInvalidPropertyValue);
    if (value == value_) return;
    value_ = value;
    {
        const QSignalBlocker block(box_);
        box_->setChecked(value == 1);
    }
    raise(Click, designing());
}

void CheckBox::userClick() {
    value_ = 1 - value_;
    {
        const QSignalBlocker block(box_);
        box_->setChecked(value_ == 1);
    }
    raiseUser(Click);
}

// --- OptionButton

OptionButton::OptionButton(Container& holder, const std::string& caption)
    : Control(holder, new QRadioButton), holder_(&holder), radio_(static_cast<QRadioButton*>(widget())) {
    // The group is kept here, not by Qt, so that code and user select the same way.
    radio_->setAutoExclusive(false);
    radio_->setText(qs(caption));
    QObject::connect(radio_, &QRadioButton::clicked, context(), [this](bool) { userClick(); });
    updateTabStop();
}

OptionButton::~OptionButton() = default;

std::string OptionButton::Caption() const { return ss(radio_->text()); }
void OptionButton::setCaption(const std::string& text) { radio_->setText(qs(text)); }

void OptionButton::select(bool on) {
    value_ = on;
    const QSignalBlocker block(radio_);
    radio_->setChecked(on);
    if (!on) return;
    for (Control* c : form().controls()) {
        auto* other = dynamic_cast<OptionButton*>(c);
        if (other && other != this && other->holder_ == holder_ && other->value_) other->select(false);
    }
}

void OptionButton::setValue(bool on) {
    if (on == value_) return;
    select(on);
    updateTabStop();
    if (on) raise(Click, designing());
}

void OptionButton::userClick() {
    if (value_) {
        // Clicking the selected button changes nothing (Qt would have cleared it).
        select(true);
        return;
    }
    select(true);
    updateTabStop();
    raiseUser(Click);
}

std::vector<OptionButton*> OptionButton::group() {
    std::vector<OptionButton*> members;
    for (Control* c : form().controls())
        if (auto* b = dynamic_cast<OptionButton*>(c); b && b->holder_ == holder_) members.push_back(b);
    std::stable_sort(members.begin(), members.end(), [](const OptionButton* a, const OptionButton* b) {
        const QPoint p = a->widget()->pos(), q = b->widget()->pos();
        return std::pair(p.y(), p.x()) < std::pair(q.y(), q.x());
    });
    return members;
}

namespace {

bool reachable(const OptionButton& b) { return b.Enabled() && b.Visible(); }

// -1 for Up and Left, 1 for Down and Right, 0 for any other key or an arrow with a modifier.
int arrowStep(const QKeyEvent& e) {
    if (e.modifiers() & ~Qt::KeypadModifier) return 0;
    switch (e.key()) {
    case Qt::Key_Up:
    case Qt::Key_Left: return -1;
    case Qt::Key_Down:
    case Qt::Key_Right: return 1;
    default: return 0;
    }
}

}  // namespace

void OptionButton::moveInGroup(int step) {
    const std::vector<OptionButton*> members = group();
    const auto at = std::find(members.begin(), members.end(), this) - members.begin();
    for (auto i = at + step; i >= 0 && i < static_cast<std::ptrdiff_t>(members.size()); i += step) {
        OptionButton& next = *members[static_cast<std::size_t>(i)];
        if (!reachable(next)) continue;
        next.widget()->setFocus(step < 0 ? Qt::BacktabFocusReason : Qt::TabFocusReason);
        next.userClick();
        return;
    }
}

void OptionButton::updateTabStop() {
    const std::vector<OptionButton*> members = group();
    auto entry = std::find_if(members.begin(), members.end(), [](auto* b) { return reachable(*b) && b->value_; });
    if (entry == members.end()) entry = std::find_if(members.begin(), members.end(), [](auto* b) { return reachable(*b); });
    // The others keep their place in the Tab chain but Tab passes them by.
    for (OptionButton* b : members)
        b->widget()->setFocusPolicy(entry != members.end() && b == *entry ? Qt::StrongFocus : Qt::ClickFocus);
}

bool OptionButton::widgetEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        // Qt would move the focus along the Tab chain, out of the group, and select nothing.
        if (const int step = arrowStep(static_cast<const QKeyEvent&>(*event)); step != 0 && detail::codeDepth() == 0) {
            moveInGroup(step);
            return true;
        }
        break;
    case QEvent::Move:
    case QEvent::EnabledChange:
    case QEvent::ShowToParent:
    case QEvent::HideToParent: updateTabStop(); break;
    default: break;
    }
    return Control::widgetEvent(event);
}

// --- ComboBox

namespace {

// Its open list shows every item whole, however narrow the closed box: some styles would keep the
// list at the box's width and cut the longer items.
class ItemsWholeComboBox : public QComboBox {
public:
    void showPopup() override {
        QAbstractItemView* list = view();
        const bool scrolls = count() > maxVisibleItems();
        const int scrollBar = scrolls ? list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list) : 0;
        list->setMinimumWidth(list->sizeHintForColumn(0) + 2 * list->frameWidth() + scrollBar);
        QComboBox::showPopup();
    }
};

}  // namespace

ComboBox::ComboBox(Container& holder)
    : Control(holder, new ItemsWholeComboBox), combo_(static_cast<QComboBox*>(widget())) {
    combo_->setEditable(false);
    QObject::connect(combo_, &QComboBox::activated, context(), [this](int index) { userPick(index); });
}

void ComboBox::showSelection() {
    const QSignalBlocker block(combo_);
    combo_->setCurrentIndex(listIndex_);
}

void ComboBox::AddItem(const std::string& item, int index) {
    const int count = ListCount();
    if (index < 0) index = count;
    if (index > count) raiseError(errInvalidArgument);
    items_.insert(items_.begin() + index, item);
    {
        const QSignalBlocker block(combo_);
        combo_->insertItem(index, qs(item));
    }
    if (listIndex_ >= index) ++listIndex_;
    showSelection();
}

void ComboBox::RemoveItem(int index) {
    if (index < 0 || index >= ListCount()) raiseError(errInvalidArgument);
    items_.erase(items_.begin() + index);
    {
        const QSignalBlocker block(combo_);
        combo_->removeItem(index);
    }
    if (listIndex_ == index)
        listIndex_ = -1;
    else if (listIndex_ > index)
        --listIndex_;
    showSelection();
}

void ComboBox::Clear() {
    items_.clear();
    listIndex_ = -1;
    const QSignalBlocker block(combo_);
    combo_->clear();
    combo_->setCurrentIndex(-1);
}

const std::string& ComboBox::List(int index) const {
    if (index < 0 || index >= ListCount()) raiseError(errSubscript);
    return items_[static_cast<size_t>(index)];
}

void ComboBox::setListIndex(int index) {
    if (index < -1 || index >= ListCount()) raiseError(errInvalidPropertyValue);
    if (index == listIndex_) return;
    listIndex_ = index;
    showSelection();
    if (index >= 0) raise(Click, designing());
}

std::string ComboBox::Text() const { return listIndex_ >= 0 ? items_[static_cast<size_t>(listIndex_)] : std::string(); }

void ComboBox::setText(const std::string& text) {
    for (int i = 0; i < ListCount(); ++i) {
        if (items_[static_cast<size_t>(i)] == text) {
            setListIndex(i);
            return;
        }
    }
    raiseError(errNotInList);
}

void ComboBox::userPick(int index) {
    if (index < 0 || index >= ListCount() || index == listIndex_) return;
    listIndex_ = index;
    showSelection();
    raiseUser(Click);
}

// --- Frame

Frame::Frame(Container& holder, const std::string& caption)
    : Control(holder, new QGroupBox), box_(static_cast<QGroupBox*>(widget())) {
    box_->setTitle(qs(caption));
}

std::string Frame::Caption() const { return ss(box_->title()); }
void Frame::setCaption(const std::string& text) { box_->setTitle(qs(text)); }
QWidget* Frame::clientWidget() { return box_; }

// --- Image

Image::Image(Container& holder) : Control(holder, new QLabel), label_(static_cast<QLabel*>(widget())) {
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void Image::setPicture(const std::string& key, const platform::Picture& picture) {
    key_ = key;
    picture_ = picture;
    if (picture.isNull()) {
        label_->clear();
        return;
    }
    label_->setPixmap(QPixmap::fromImage(picture.image()));
    // Shown at its natural size, like a picture that is not stretched.
    setWidth(picture.widthPx() * TwipsPerPixel);
    setHeight(picture.heightPx() * TwipsPerPixel);
}

bool Image::widgetEvent(QEvent* event) {
    if (detail::codeDepth() == 0) {
        if (event->type() == QEvent::MouseButtonRelease) raiseUser(Click);
        if (event->type() == QEvent::MouseButtonDblClick) raiseUser(DblClick);
    }
    return Control::widgetEvent(event);
}

// --- Line

namespace {

class LineWidget : public QWidget {
public:
    QPoint from, to;
    QColor color = Qt::black;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setPen(QPen(color, 1));
        p.drawLine(from, to);
    }
};

}  // namespace

Line::Line(Container& holder, int x1, int y1, int x2, int y2)
    : Control(holder, new LineWidget), x1_(x1), y1_(y1), x2_(x2), y2_(y2) {
    widget()->setAttribute(Qt::WA_TransparentForMouseEvents);
    place();
}

void Line::place() {
    const int ax = detail::toPixels(x1_), ay = detail::toPixels(y1_);
    const int bx = detail::toPixels(x2_), by = detail::toPixels(y2_);
    const QRect box = QRect(QPoint(std::min(ax, bx), std::min(ay, by)), QPoint(std::max(ax, bx), std::max(ay, by)));
    auto* w = static_cast<LineWidget*>(widget());
    w->setGeometry(box.adjusted(0, 0, 1, 1));
    w->from = QPoint(ax, ay) - box.topLeft();
    w->to = QPoint(bx, by) - box.topLeft();
    w->update();
}

void Line::setX1(int twips) { x1_ = twips; place(); }
void Line::setY1(int twips) { y1_ = twips; place(); }
void Line::setX2(int twips) { x2_ = twips; place(); }
void Line::setY2(int twips) { y2_ = twips; place(); }

void Line::setBorderColor(Color c) {
    color_ = c;
    static_cast<LineWidget*>(widget())->color = detail::toQColor(c);
    widget()->update();
}

}  // namespace platform

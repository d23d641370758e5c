// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/AccessibleViews.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <algorithm>
#include <vector>

#include "gui/MainWindow.h"
#include "gui/PreviewWindow.h"

namespace tessera::gui {

void InfoLabel::setInfo(const QString& text) {
    if (text == this->text())
        return;
    QAccessibleTextUpdateEvent changed(this, 0, this->text(), text);
    setText(text);
    QAccessible::updateAccessibility(&changed);
}

void ProgressLabel::setPercent(int percent) {
    percent = std::clamp(percent, 0, 100);
    if (percent == percent_)
        return;
    percent_ = percent;
    QAccessibleValueChangeEvent changed(this, percent_);
    QAccessible::updateAccessibility(&changed);
}

namespace {

// A panel's text, read only: a screen reader reads it by characters, words and lines, and finds
// where each character is drawn (the label draws from its top left corner, line by line).
class InfoAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit InfoAccessible(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(int start, int end) const override { return shown().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(shown().size()); }
    QRect characterRect(int offset) const override {
        const QString all = shown();
        if (offset < 0 || offset >= all.size())
            return {};
        const int lineStart = static_cast<int>(all.lastIndexOf(QLatin1Char('\n'), offset - 1)) + 1;
        const int line = static_cast<int>(all.left(lineStart).count(QLatin1Char('\n')));
        const QFontMetrics fm(label()->font());
        const int x = fm.horizontalAdvance(all.mid(lineStart, offset - lineStart));
        const QRect cell(x, line * fm.lineSpacing(), fm.horizontalAdvance(all.at(offset)),
                         fm.height());
        return cell.translated(label()->mapToGlobal(label()->contentsRect().topLeft()));
    }
    int offsetAtPoint(const QPoint& point) const override {
        for (int offset = 0; offset < characterCount(); ++offset) {
            if (characterRect(offset).contains(point))
                return offset;
        }
        return -1;
    }

    // Nothing to select, no cursor, no formatting: the panel is only read.
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

  private:
    QLabel* label() const { return static_cast<QLabel*>(widget()); }
    QString shown() const { return label()->text(); }
};

class ProgressAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
  public:
    explicit ProgressAccessible(ProgressLabel* bar)
        : QAccessibleWidget(bar, QAccessible::ProgressBar) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return QStringLiteral("%1%").arg(bar()->percent());
        return QAccessibleWidget::text(t);
    }

    QVariant currentValue() const override { return bar()->percent(); }
    void setCurrentValue(const QVariant&) override {}  // only a conversion moves it
    QVariant maximumValue() const override { return 100; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

  private:
    ProgressLabel* bar() const { return static_cast<ProgressLabel*>(widget()); }
};

// One colour of the palette: its index, its GP32 value and the colour the screen shows.
class SwatchAccessible : public QAccessibleInterface {
  public:
    SwatchAccessible(SwatchView* view, int entry) : view_(view), entry_(entry) {}

    bool isValid() const override {
        return view_ && entry_ < static_cast<int>(view_->colours().size());
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return view_ ? view_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(view_);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name || !isValid())
            return {};
        const std::uint16_t gp32 = view_->colours()[static_cast<std::size_t>(entry_)];
        const QRgb shown = shownColour(gp32);
        const QString hex = QString::number(gp32, 16).toUpper().rightJustified(4, QLatin1Char('0'));
        return QStringLiteral("Entry %1: 0x%2, red %3, green %4, blue %5")
            .arg(entry_)
            .arg(hex)
            .arg(qRed(shown))
            .arg(qGreen(shown))
            .arg(qBlue(shown));
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid())
            return {};
        const QRect local = view_->swatchRect(entry_);
        return QRect(view_->mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.invisible = !isValid() || !view_->isVisible();
        s.readOnly = true;
        return s;
    }

  private:
    QPointer<SwatchView> view_;
    int entry_;
};

// The palette as a list of its colours. The items are made when first asked for, kept for as
// long as the view lives, and follow the palette it shows.
class SwatchListAccessible : public QAccessibleWidget {
  public:
    explicit SwatchListAccessible(SwatchView* view) : QAccessibleWidget(view, QAccessible::List) {}
    ~SwatchListAccessible() override {
        for (const QAccessible::Id id : items_)
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return static_cast<int>(view()->colours().size()); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount())
            return nullptr;
        while (static_cast<int>(items_.size()) <= index) {
            auto* item = new SwatchAccessible(view(), static_cast<int>(items_.size()));
            items_.push_back(QAccessible::registerAccessibleInterface(item));
        }
        return QAccessible::accessibleInterface(items_[static_cast<std::size_t>(index)]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto at = std::find(items_.begin(), items_.end(),
                                  QAccessible::uniqueId(const_cast<QAccessibleInterface*>(child)));
        const int index = static_cast<int>(at - items_.begin());
        return at != items_.end() && index < childCount() ? index : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (int i = 0; i < childCount(); ++i) {
            if (child(i)->rect().contains(x, y))
                return child(i);
        }
        return nullptr;
    }

  private:
    SwatchView* view() const { return static_cast<SwatchView*>(widget()); }
    mutable std::vector<QAccessible::Id> items_;
};

QAccessibleInterface* accessibleFor(const QString&, QObject* object) {
    if (qobject_cast<MainWindow*>(object) || qobject_cast<PreviewWindow*>(object))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    if (auto* bar = dynamic_cast<ProgressLabel*>(object))
        return new ProgressAccessible(bar);
    if (auto* info = dynamic_cast<InfoLabel*>(object))
        return new InfoAccessible(info);
    if (auto* swatches = dynamic_cast<SwatchView*>(object))
        return new SwatchListAccessible(swatches);
    if (auto* pixels = dynamic_cast<PixelView*>(object))
        return new QAccessibleWidget(pixels, QAccessible::Graphic);
    return nullptr;
}

}  // namespace

void installAccessibility() {
    // The factory installed last is asked first, so ours comes before Qt's widget factory.
    static const bool installed = [] {
        QAccessible::installFactory(accessibleFor);
        return true;
    }();
    (void)installed;
}

}  // namespace tessera::gui

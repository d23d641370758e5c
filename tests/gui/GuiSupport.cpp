#include "GuiSupport.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <cmath>

namespace tessera::test {

namespace {

QString readable(QString caption) {
    return caption.remove(QLatin1Char('&'));
}

// Room the style leaves for a button's text once the frame and the indicator are drawn.
int textRoom(QAbstractButton* b, QStyle::SubElement contents) {
    QStyleOptionButton option;
    option.initFrom(b);
    option.text = b->text();
    return b->style()->subElementRect(contents, &option, b).width();
}

}  // namespace

std::string clippedCaptions(const gui::ControlViews& views) {
    std::string problems;
    for (const auto& b : views.all()) {
        QWidget* w = b.widget;
        const QFontMetrics fm(w->font());
        const std::string name = b.model->name + " ";
        auto need = [&](bool fits, const char* what) {
            if (!fits)
                problems += name + what + "; ";
        };
        if (auto* push = qobject_cast<QPushButton*>(w)) {
            need(textRoom(push, QStyle::SE_PushButtonContents) >=
                     fm.horizontalAdvance(readable(push->text())),
                 "text wider than the button");
            need(w->height() >= fm.height(), "text taller than the button");
        } else if (auto* check = qobject_cast<QCheckBox*>(w)) {
            need(w->width() >= check->sizeHint().width(), "indicator and text too wide");
            need(w->height() >= fm.height(), "text taller than the box");
        } else if (auto* radio = qobject_cast<QRadioButton*>(w)) {
            need(w->width() >= radio->sizeHint().width(), "indicator and text too wide");
            need(w->height() >= fm.height(), "text taller than the button");
        } else if (auto* frame = qobject_cast<QGroupBox*>(w)) {
            QStyleOptionGroupBox option;
            option.initFrom(frame);
            option.text = frame->title();
            option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
            const QRect title = frame->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                               QStyle::SC_GroupBoxLabel, frame);
            need(title.width() >= fm.horizontalAdvance(frame->title()) &&
                     title.right() < frame->width(),
                 "title clipped");
            for (QWidget* child : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                need(child->geometry().top() > title.bottom() - 2, "a child covers the title");
                need(child->geometry().right() < frame->width(), "a child leaves the frame");
            }
        } else if (auto* label = qobject_cast<QLabel*>(w)) {
            const QRect used = fm.boundingRect(QRect(0, 0, 100000, 100000),
                                               Qt::AlignLeft | Qt::AlignTop, label->text());
            need(used.width() <= w->width() && used.height() <= w->height(), "text clipped");
        }
    }
    return problems;
}

std::string misplacedControls(const gui::ControlViews& views, const gui::TwipsScale& scale) {
    std::string problems;
    const double f = scale.factor();
    auto near = [f](int px, int twips) { return std::abs(px - twips * f) <= 0.5 + 1e-9; };
    for (const auto& b : views.all()) {
        const Twips& t = b.model->position;
        const QRect g = b.widget->geometry();
        // The progress bar's width is the model's, not the design's.
        const int width = b.model->kind == ControlKind::Label &&
                                  static_cast<const Label*>(b.model)->look == LabelLook::ProgressBar
                              ? static_cast<int>(static_cast<const Label*>(b.model)->Width)
                              : t.width;
        if (!near(g.left(), t.left) || !near(g.top(), t.top) || !near(g.width(), width) ||
            !near(g.height(), t.height)) {
            problems += b.model->name + " ";
        }
    }
    return problems;
}

std::string tabChain(const gui::ControlViews& views, QWidget* first) {
    std::string chain;
    QWidget* w = first;
    do {
        for (const auto& b : views.all()) {
            if (b.widget == w && (w->focusPolicy() & Qt::TabFocus))
                chain += b.model->name + " ";
        }
        w = w->nextInFocusChain();
    } while (w && w != first);
    return chain;
}

}  // namespace tessera::test

// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/ControlViews.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>

#include "gui/AccessibleViews.h"

namespace tessera::gui {

namespace {

QString text(const std::string& s) {
    // The model writes CR LF line ends, as the information texts are made for; a label only
    // wants the line feed.
    return QString::fromStdString(s).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QWidget* makeWidget(const Control& c, QWidget* parent) {
    const QString caption = text(c.Caption);
    switch (c.kind) {
        case ControlKind::CommandButton: {
            auto* b = new QPushButton(caption, parent);
            b->setAutoDefault(false);
            return b;
        }
        case ControlKind::CheckBox:
            return new QCheckBox(caption, parent);
        case ControlKind::OptionButton:
            return new QRadioButton(caption, parent);  // exclusive within its group box
        case ControlKind::Frame:
            return new QGroupBox(caption, parent);
        case ControlKind::TextBox:
            return new QLineEdit(caption, parent);
        case ControlKind::Label: {
            const LabelLook look = static_cast<const Label&>(c).look;
            if (look == LabelLook::Carrier)
                return nullptr;  // never shown, and so not shown to a screen reader either
            QLabel* l = look == LabelLook::FixedPitchInfo ? new InfoLabel(caption, parent)
                        : look == LabelLook::ProgressBar  ? new ProgressLabel(caption, parent)
                                                          : new QLabel(caption, parent);
            l->setTextFormat(Qt::PlainText);
            l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            return l;
        }
    }
    return nullptr;
}

// The part of the caption a person reads: "&Quit" shows as "Quit".
QString shownCaption(const Control& c) {
    QString s = text(c.Caption);
    if (c.kind != ControlKind::Label && c.kind != ControlKind::TextBox)
        s.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    return s;
}

// What a screen reader says for a control: its caption as shown, without the colon; a control
// whose caption is a value (a text box, the information labels) is named after what it holds, and
// the convert buttons, whose captions repeat on both sides, say which side they are on.
QString accessibleNameOf(const Control& c) {
    static const std::pair<const char*, const char*> kValueControls[] = {
        {"txtVar", "Array Variable Name"},   {"lblBMPName", "File infos"},
        {"lblPercent", "Convertion Statut"}, {"txtRAWWidth", "Image Width"},
        {"txtRAWHeight", "Image Height"},
    };
    static const std::pair<const char*, const char*> kSides[] = {
        {"cmdBMPConvert", "picture"},
        {"cmdBMPConvertAdd", "picture"},
        {"cmdWAVConvert", "sound"},
        {"cmdWAVConvertAdd", "sound"},
    };
    for (const auto& [name, spoken] : kValueControls) {
        if (c.name == name)
            return QString::fromUtf8(spoken);
    }
    QString s = shownCaption(c).trimmed();
    if (s.endsWith(QLatin1Char(':')))
        s.chop(1);
    for (const auto& [name, side] : kSides) {
        if (c.name == name)
            s += QStringLiteral(" (%1)").arg(QLatin1String(side));
    }
    return s.trimmed();
}

// The labels that name the control beside them, told to a screen reader as "label for".
constexpr std::pair<const char*, const char*> kLabelFor[] = {
    {"Label1", "txtVar"},       {"Label2", "lblBMPName"},  {"Label3", "lblPercent"},
    {"Label1", "txtRAWHeight"}, {"Label2", "txtRAWWidth"},
};

}  // namespace

ControlViews::ControlViews(QWidget* window, const std::vector<Control*>& controls) {
    installAccessibility();
    // Frames first, so their children have a parent to go into whatever the tab order says.
    for (Control* c : controls) {
        if (c->kind == ControlKind::Frame)
            bound_.push_back({c, makeWidget(*c, window)});
    }
    for (Control* c : controls) {
        if (c->kind == ControlKind::Frame)
            continue;
        QWidget* parent = c->container ? widget(*c->container) : window;
        if (QWidget* w = makeWidget(*c, parent))
            bound_.push_back({c, w});
    }
    for (const Bound& b : bound_)
        b.widget->setAccessibleName(accessibleNameOf(*b.model));
    for (const auto& [labelName, controlName] : kLabelFor) {
        const Bound* label = find(labelName);
        const Bound* control = find(controlName);
        if (label && control && label->model->kind == ControlKind::Label)
            static_cast<QLabel*>(label->widget)->setBuddy(control->widget);
    }
    std::stable_sort(bound_.begin(), bound_.end(), [](const Bound& a, const Bound& b) {
        return a.model->tabIndex < b.model->tabIndex;
    });
    QWidget* previous = nullptr;
    for (const Bound& b : bound_) {
        if (!(b.widget->focusPolicy() & Qt::TabFocus))
            continue;
        if (previous)
            QWidget::setTabOrder(previous, b.widget);
        previous = b.widget;
    }
}

const ControlViews::Bound* ControlViews::find(const char* name) const {
    for (const Bound& b : bound_) {
        if (b.model->name == name)
            return &b;
    }
    return nullptr;
}

QWidget* ControlViews::widget(const Control& control) const {
    for (const Bound& b : bound_) {
        if (b.model == &control)
            return b.widget;
    }
    return nullptr;
}

namespace {

// Buttons, check boxes and option buttons alike: a click runs the model control's click().
template <typename Model>
void connectClick(QWidget* widget, const ControlViews::Runner& run, Control* m) {
    QObject::connect(static_cast<QAbstractButton*>(widget), &QAbstractButton::clicked,
                     [run, m] { run([m] { static_cast<Model*>(m)->click(); }); });
}

}  // namespace

void ControlViews::connect(const Runner& run) {
    for (const Bound& b : bound_) {
        Control* m = b.model;
        switch (m->kind) {
            case ControlKind::CommandButton:
                connectClick<CommandButton>(b.widget, run, m);
                break;
            case ControlKind::CheckBox:
                // Qt has already toggled the box; the model decides, the mirror then shows it.
                connectClick<CheckBox>(b.widget, run, m);
                break;
            case ControlKind::OptionButton:
                connectClick<OptionButton>(b.widget, run, m);
                break;
            case ControlKind::TextBox:
                QObject::connect(
                    static_cast<QLineEdit*>(b.widget), &QLineEdit::textEdited,
                    [run, m](const QString& typed) {
                        run([m, s = typed.toStdString()] { static_cast<TextBox*>(m)->Text() = s; });
                    });
                break;
            default:
                break;
        }
    }
}

QSize ControlViews::neededPixels(const Control& c, const QWidget* w) {
    const QFontMetrics fm(w->font());
    const QString caption = shownCaption(c);
    const int textWidth = fm.horizontalAdvance(caption);
    const QStyle* style = w->style();
    switch (c.kind) {
        case ControlKind::CommandButton: {
            const int margin = style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, w) +
                               2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w);
            return {textWidth + margin, fm.height() + margin};
        }
        case ControlKind::CheckBox:
        case ControlKind::OptionButton:
            // The indicator, its spacing and the focus frame come with the size hint.
            return w->sizeHint();
        case ControlKind::Frame: {
            // The title sits indented by a frame's margin on each side.
            const int margin = 2 * fm.averageCharWidth();
            return {textWidth + margin, fm.height()};
        }
        case ControlKind::TextBox:
            return {0,
                    fm.height() + 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w)};
        case ControlKind::Label:
            return {textWidth, caption.isEmpty() ? 0 : fm.height()};
    }
    return {};
}

double ControlViews::fittingFactor() const {
    double factor = TwipsScale::kDesignFactor;
    for (const Bound& b : bound_) {
        const Twips& t = b.model->position;
        const QSize need = neededPixels(*b.model, b.widget);
        if (t.width > 0)
            factor = std::max(factor, need.width() / static_cast<double>(t.width));
        if (t.height > 0)
            factor = std::max(factor, need.height() / static_cast<double>(t.height));
    }
    return factor;
}

void ControlViews::place(const TwipsScale& scale) {
    for (const Bound& b : bound_)
        b.widget->setGeometry(scale.rect(b.model->position));
}

void ControlViews::mirror(const TwipsScale& scale) {
    for (const Bound& b : bound_) {
        Control& m = *b.model;
        b.widget->setVisible(m.Visible);
        b.widget->setEnabled(m.Enabled);
        const QString caption = text(m.Caption);
        switch (m.kind) {
            case ControlKind::CommandButton:
                static_cast<QPushButton*>(b.widget)->setText(caption);
                break;
            case ControlKind::CheckBox: {
                auto* box = static_cast<QCheckBox*>(b.widget);
                box->setText(caption);
                box->setChecked(static_cast<CheckBox&>(m).Value() == 1);
                break;
            }
            case ControlKind::OptionButton: {
                auto* option = static_cast<QRadioButton*>(b.widget);
                option->setText(caption);
                // Only the selected one is set: Qt clears the others of its group box.
                if (static_cast<OptionButton&>(m).Value)
                    option->setChecked(true);
                break;
            }
            case ControlKind::Frame:
                static_cast<QGroupBox*>(b.widget)->setTitle(caption);
                break;
            case ControlKind::TextBox: {
                auto* edit = static_cast<QLineEdit*>(b.widget);
                if (edit->text() != caption)
                    edit->setText(caption);
                break;
            }
            case ControlKind::Label: {
                auto& label = static_cast<Label&>(m);
                if (auto* info = dynamic_cast<InfoLabel*>(b.widget))
                    info->setInfo(caption);
                else
                    static_cast<QLabel*>(b.widget)->setText(caption);
                // A value label is read by its name, then by what it holds.
                if (!caption.startsWith(b.widget->accessibleName()))
                    b.widget->setAccessibleDescription(caption);
                if (label.look == LabelLook::ProgressBar)
                    b.widget->resize(scale.px(label.Width), b.widget->height());
                break;
            }
        }
    }
}

}  // namespace tessera::gui

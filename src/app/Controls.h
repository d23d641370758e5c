// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tessera {

// The window's controls as plain data, with the behaviour the commands rely on: changing Enabled
// raises nothing, while a program change of a check box's Value runs its click handler. Positions
// are the design positions in twips (1/1440 inch), relative to the parent frame when there is one.
struct Twips {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

enum class ControlKind { CommandButton, CheckBox, OptionButton, Frame, TextBox, Label };

struct Control {
    Control(ControlKind kind, std::string name, std::string caption, Twips position, int tabIndex,
            const Control* container = nullptr)
        : kind(kind),
          name(std::move(name)),
          Caption(std::move(caption)),
          position(position),
          tabIndex(tabIndex),
          container(container) {}
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const ControlKind kind;
    const std::string name;
    std::string Caption;  // the text of a TextBox lives here too (see TextBox::Text)
    Twips position;
    const int tabIndex;
    const Control* const container;
    bool Enabled = true;
    bool Visible = true;
};

struct CommandButton : Control {
    CommandButton(std::string name, std::string caption, Twips position, int tabIndex)
        : Control(ControlKind::CommandButton, std::move(name), std::move(caption), position,
                  tabIndex) {}
    std::function<void()> Click;

    // A user's click: a disabled button takes none.
    void click() {
        if (Enabled && Click)
            Click();
    }
};

struct CheckBox : Control {
    CheckBox(std::string name, std::string caption, Twips position, int tabIndex,
             const Control* container, int value)
        : Control(ControlKind::CheckBox, std::move(name), std::move(caption), position, tabIndex,
                  container),
          value_(value) {}
    std::function<void()> Click;

    int Value() const { return value_; }
    // Setting a different value raises Click, as the forms runtime does.
    void setValue(int value) {
        if (value == value_)
            return;
        value_ = value;
        if (Click)
            Click();
    }
    // A user's click toggles the mark (ignored while disabled).
    void click() {
        if (Enabled)
            setValue(value_ == 1 ? 0 : 1);
    }

  private:
    int value_;
};

struct OptionButton : Control {
    OptionButton(std::string name, std::string caption, Twips position, int tabIndex,
                 const Control* container, bool value)
        : Control(ControlKind::OptionButton, std::move(name), std::move(caption), position,
                  tabIndex, container),
          Value(value) {}
    bool Value;
    // The other buttons of the same frame, cleared when this one is selected.
    std::vector<OptionButton*> group;

    void select() {
        for (auto* other : group)
            other->Value = false;
        Value = true;
    }
    void click() {
        if (Enabled)
            select();
    }
};

struct Frame : Control {
    Frame(std::string name, std::string caption, Twips position, int tabIndex)
        : Control(ControlKind::Frame, std::move(name), std::move(caption), position, tabIndex) {}
};

struct TextBox : Control {
    TextBox(std::string name, std::string text, Twips position, int tabIndex)
        : Control(ControlKind::TextBox, std::move(name), std::move(text), position, tabIndex) {}
    std::string& Text() { return Caption; }
    const std::string& Text() const { return Caption; }
};

// Carrier: a label never shown, through which one window hands values to another.
enum class LabelLook { Plain, FixedPitchInfo, ProgressBar, Carrier };

struct Label : Control {
    Label(std::string name, std::string caption, Twips position, int tabIndex,
          LabelLook look = LabelLook::Plain)
        : Control(ControlKind::Label, std::move(name), std::move(caption), position, tabIndex),
          look(look),
          Width(position.width) {}
    const LabelLook look;
    double Width;  // twips; the progress bar grows by this alone
};

}  // namespace tessera

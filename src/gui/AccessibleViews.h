// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace tessera::gui {

// An information panel (the loaded file's description, the preview's status line): a screen
// reader gets its name and, as text it can read line by line, what it holds.
class InfoLabel : public QLabel {
  public:
    using QLabel::QLabel;
    // Shows `text` and tells a screen reader that the text changed.
    void setInfo(const QString& text);
};

// The progress bar, drawn as a label that grows: a screen reader hears a progress bar and its
// percentage.
class ProgressLabel : public QLabel {
  public:
    using QLabel::QLabel;
    int percent() const { return percent_; }
    void setPercent(int percent);

  private:
    int percent_ = 0;
};

// Gives a screen reader the roles the widgets stand for where Qt's own would mislead it: both
// windows are frames, the panels above are text and a progress bar, the preview's picture is a
// graphic and its palette a list of named colours. Each window calls it before building itself.
void installAccessibility();

}  // namespace tessera::gui

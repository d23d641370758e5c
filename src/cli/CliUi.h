// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "app/Ui.h"
#include "cli/CliOptions.h"

namespace tessera::cli {

// The window's dialogs answered from the command line: the open dialog takes INPUT, the save
// dialog OUTPUT, every question is answered Yes and the RAW dialog gets --raw. Messages are kept
// for the caller to judge; nothing is printed here but the progress bar.
class CliUi : public Ui {
  public:
    struct Message {
        std::string text;
        MsgStyle style;
        FileRole about = FileRole::Unknown;
    };

    CliUi(const CliOptions& options, bool showProgress);
    ~CliUi() override { endProgress(); }

    bool showOpen(CommonDialog& dialog) override;
    bool showSave(CommonDialog& dialog) override;
    MsgAnswer msgBox(const std::string& text, MsgStyle style) override;
    void showFailure(const std::string& text, FileRole about) override;
    void showRawDialog(DialogRAW& dialog) override;
    int chooseItem(const std::string& question, const std::vector<std::string>& items) override;
    void progressChanged(double width) override;

    // The messages shown since the last call, questions left out.
    std::vector<Message> takeMessages();
    // Why the open dialog refused INPUT (it must exist), or empty.
    const std::string& openFailure() const { return openFailure_; }
    // Clears the progress bar's line, if one was drawn.
    void endProgress();

  private:
    const CliOptions& options_;
    const bool showProgress_;
    int drawnPercent_ = -1;
    std::vector<Message> messages_;
    std::string openFailure_;
};

}  // namespace tessera::cli

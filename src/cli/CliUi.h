// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "app/Ui.h"
#include "cli/CliOptions.h"

namespace tessera::cli {

// The window's dialogs answered from the command line: the open dialog takes INPUT, the save
// dialog OUTPUT, every question is answered Yes and the RAW dialog gets --raw. The commands'
// outcomes say how they ended; nothing is printed here but the progress bar.
class CliUi : public Ui {
  public:
    CliUi(const CliOptions& options, bool showProgress);
    ~CliUi() override { endProgress(); }

    bool showOpen(CommonDialog& dialog) override;
    bool showSave(CommonDialog& dialog) override;
    MsgAnswer msgBox(const std::string& text, MsgStyle style) override;
    void showRawDialog(DialogRAW& dialog) override;
    int chooseItem(const std::string& question, const std::vector<std::string>& items) override;
    void progressChanged(double width) override;

    // Why a question was answered No, or empty: the command then ends cancelled.
    const std::string& refusal() const { return refusal_; }
    // Why the open dialog refused INPUT (it must exist), or empty.
    const std::string& openFailure() const { return openFailure_; }
    // Clears the progress bar's line, if one was drawn.
    void endProgress();

  private:
    const CliOptions& options_;
    const bool showProgress_;
    int drawnPercent_ = -1;
    std::string refusal_;
    std::string openFailure_;
};

}  // namespace tessera::cli

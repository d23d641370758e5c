// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliUi.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "app/AppMessages.h"
#include "app/DialogRAW.h"
#include "app/FileNames.h"
#include "app/Form1.h"
#include "cli/CliMessages.h"

namespace tessera::cli {

namespace {

constexpr int kBarCells = 30;

bool answerWith(CommonDialog& dialog, const std::string& path) {
    dialog.FileName = path;
    dialog.FileTitle = titleOf(path);
    return true;
}

}  // namespace

CliUi::CliUi(const CliOptions& options, bool showProgress)
    : options_(options), showProgress_(showProgress) {}

bool CliUi::showOpen(CommonDialog& dialog) {
    struct stat st {};
    if ((dialog.Flags & CommonDialog::kFileMustExist) != 0 &&
        ::stat(options_.input.c_str(), &st) != 0) {
        // A file dialog would not let a missing file be picked: the person cancels.
        openFailure_ = std::strerror(errno);
        return false;
    }
    return answerWith(dialog, options_.input);
}

bool CliUi::showSave(CommonDialog& dialog) {
    return answerWith(dialog, options_.output);
}

MsgAnswer CliUi::msgBox(const std::string& text, MsgStyle style) {
    // Replacing a block is what --replace asks for; without it, the second block of one name
    // that the add would make is refused.
    if (text.starts_with(messages::kReplaceQuestion)) {
        if (options_.replace)
            return MsgAnswer::Yes;
        const auto nameAt = std::string_view(messages::kReplaceQuestion).size();
        const std::string name =
            text.substr(nameAt, text.find(messages::kReplaceQuestionMiddle) - nameAt);
        refusal_ = texts::nameInOutput(name);
        return MsgAnswer::No;
    }
    // The overwrite and add questions: the command line's OUTPUT is meant, as a compiler's is.
    if (style == MsgStyle::YesNoQuestion || style == MsgStyle::YesNoExclamation)
        return MsgAnswer::Yes;
    return MsgAnswer::Ok;
}

// The block of a converted file is the one -n names; nothing else is picked from a list.
int CliUi::chooseItem(const std::string&, const std::vector<std::string>& items) {
    for (std::size_t i = 0; options_.name && i < items.size(); ++i) {
        if (items[i].starts_with(*options_.name + ": "))
            return static_cast<int>(i);
    }
    return -1;
}

void CliUi::showRawDialog(DialogRAW& dialog) {
    dialog.txtRAWWidth.Text() = options_.raw.width;
    dialog.txtRAWHeight.Text() = options_.raw.height;
    if (options_.raw.bits24)
        dialog.opt24b.click();
    else
        dialog.opt8b.click();
    dialog.OKButton.click();
}

void CliUi::progressChanged(double width) {
    // The model puts the bar back to zero when a conversion ends; the line is cleared instead.
    if (!showProgress_ || width <= 0)
        return;
    const double fraction = std::clamp(width / Form1::kFullProgress, 0.0, 1.0);
    const int percent = static_cast<int>(fraction * 100.0);
    if (percent == drawnPercent_)
        return;
    drawnPercent_ = percent;
    const int filled = percent * kBarCells / 100;
    char line[kBarCells + 32];
    int n = std::snprintf(line, sizeof line, "\r[");
    for (int i = 0; i < kBarCells; ++i)
        line[n++] = i < filled ? '#' : '.';
    n += std::snprintf(line + n, sizeof line - static_cast<std::size_t>(n), "] %3d%%", percent);
    std::fwrite(line, 1, static_cast<std::size_t>(n), stderr);
    std::fflush(stderr);
}

void CliUi::endProgress() {
    if (drawnPercent_ < 0)
        return;
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
    drawnPercent_ = -1;
}

}  // namespace tessera::cli

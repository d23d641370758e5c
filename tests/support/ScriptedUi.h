#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/DialogRAW.h"
#include "app/Ui.h"

namespace tessera::test {

// A Ui that answers as the test says and records what the window showed.
class ScriptedUi : public Ui {
  public:
    struct Message {
        std::string text;
        MsgStyle style;
    };
    // What the person does in the RAW dialog: type, pick, then OK or close.
    struct RawAnswer {
        std::optional<std::string> width, height;
        bool bits24 = false;
        bool ok = true;
    };

    // Each dialog takes the next path; an empty optional is Cancel. Without a scripted answer the
    // dialog is cancelled.
    std::deque<std::optional<std::string>> openAnswers;
    std::deque<std::optional<std::string>> saveAnswers;
    std::deque<MsgAnswer> questionAnswers;  // Yes when none is left
    std::deque<RawAnswer> rawAnswers;       // OK with the defaults when none is left

    std::vector<Message> messages;
    std::vector<const CommonDialog*> dialogsShown;
    std::vector<std::string> proposedNames;  // FileName put into each save dialog
    std::vector<double> progress;
    std::vector<std::string> rawDefaultsSeen;  // "320x240x8" as each dialog opened

    void openWith(const std::string& path) { openAnswers.emplace_back(path); }
    void saveAs(const std::string& path) { saveAnswers.emplace_back(path); }

    bool showOpen(CommonDialog& dialog) override { return answer(dialog, openAnswers); }
    bool showSave(CommonDialog& dialog) override {
        proposedNames.push_back(dialog.FileName);
        return answer(dialog, saveAnswers);
    }
    MsgAnswer msgBox(const std::string& text, MsgStyle style) override;
    void showRawDialog(DialogRAW& dialog) override;
    void progressChanged(double width) override { progress.push_back(width); }

    // Texts of the messages shown so far.
    std::vector<std::string> texts() const;

  private:
    bool answer(CommonDialog& dialog, std::deque<std::optional<std::string>>& answers);
};

}  // namespace tessera::test

#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/DialogColours.h"
#include "app/DialogRAW.h"
#include "app/FileNames.h"
#include "app/Ui.h"
#include "platform/FileChecks.h"

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

    // Each dialog takes the next path; an empty optional (or none left) is Cancel.
    std::deque<std::optional<std::string>> openAnswers, saveAnswers;
    std::deque<MsgAnswer> questionAnswers;  // Yes when none is left
    std::deque<RawAnswer> rawAnswers;       // OK with the defaults when none is left
    std::deque<std::optional<DialogColours>> coloursAnswers;  // OK with these; none left: Cancel

    std::vector<Message> messages;
    std::vector<const CommonDialog*> dialogsShown;
    std::vector<double> progress;
    std::vector<std::string> rawDefaultsSeen;  // "320x240x8" as each dialog opened

    void openWith(const std::string& path) { openAnswers.emplace_back(path); }
    void saveAs(const std::string& path) { saveAnswers.emplace_back(path); }

    bool showOpen(CommonDialog& dialog) override { return answer(dialog, openAnswers); }
    bool showSave(CommonDialog& dialog) override { return answer(dialog, saveAnswers); }
    MsgAnswer msgBox(const std::string& text, MsgStyle style) override {
        messages.push_back({text, style});
        return isQuestion(style) ? next(questionAnswers, MsgAnswer::Yes) : MsgAnswer::Ok;
    }
    void showRawDialog(DialogRAW& d) override {
        rawDefaultsSeen.push_back(d.txtRAWWidth.Text() + "x" + d.txtRAWHeight.Text() + "x" +
                                  (d.opt24b.Value ? "24" : "8"));
        const RawAnswer a = next(rawAnswers, RawAnswer{});
        d.txtRAWWidth.Text() = a.width.value_or(d.txtRAWWidth.Text());
        d.txtRAWHeight.Text() = a.height.value_or(d.txtRAWHeight.Text());
        if (a.bits24)
            d.opt24b.click();
        if (a.ok)
            d.OKButton.click();
    }
    std::function<void()> onProgress;  // what happens meanwhile, say to the input file
    void progressChanged(double width) override {
        progress.push_back(width);
        if (onProgress)
            onProgress();
    }

    static bool isQuestion(MsgStyle s) {
        return s == MsgStyle::YesNoQuestion || s == MsgStyle::YesNoExclamation;
    }
    // Texts of the messages shown so far, the Yes/No questions left out with `questions` false.
    bool showColoursDialog(DialogColours& dialog) override {
        const auto answer = next(coloursAnswers, std::optional<DialogColours>());
        if (answer)
            dialog = *answer;
        return answer.has_value();
    }

    std::vector<std::string> texts(bool questions = true) const {
        std::vector<std::string> out;
        for (const auto& m : messages)
            if (questions || !isQuestion(m.style))
                out.push_back(m.text);
        return out;
    }

  private:
    template <class T>
    static T next(std::deque<T>& answers, T a) {
        if (!answers.empty()) {
            a = std::move(answers.front());
            answers.pop_front();
        }
        return a;
    }
    bool answer(CommonDialog& dialog, std::deque<std::optional<std::string>>& answers) {
        dialogsShown.push_back(&dialog);
        const auto path = next(answers, std::optional<std::string>{});
        if (path) {
            dialog.FileName = *path;
            dialog.FileTitle = baseOf(*path);
        }
        return path.has_value();
    }
};

}  // namespace tessera::test

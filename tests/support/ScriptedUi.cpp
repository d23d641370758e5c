#include "support/ScriptedUi.h"

#include "app/VbText.h"

namespace tessera::test {

bool ScriptedUi::answer(CommonDialog& dialog, std::deque<std::optional<std::string>>& answers) {
    dialogsShown.push_back(&dialog);
    const auto next = answers.empty() ? std::nullopt : answers.front();
    if (!answers.empty())
        answers.pop_front();
    if (next)
        dialog.FileName = *next, dialog.FileTitle = fileTitleOf(*next);
    return next.has_value();
}

MsgAnswer ScriptedUi::msgBox(const std::string& text, MsgStyle style) {
    messages.push_back({text, style});
    if (style != MsgStyle::YesNoQuestion && style != MsgStyle::YesNoExclamation)
        return MsgAnswer::Ok;
    const MsgAnswer a = questionAnswers.empty() ? MsgAnswer::Yes : questionAnswers.front();
    if (!questionAnswers.empty())
        questionAnswers.pop_front();
    return a;
}

void ScriptedUi::showRawDialog(DialogRAW& dialog) {
    rawDefaultsSeen.push_back(dialog.txtRAWWidth.Text() + "x" + dialog.txtRAWHeight.Text() + "x" +
                              (dialog.opt24b.Value ? "24" : "8"));
    const RawAnswer a = rawAnswers.empty() ? RawAnswer{} : rawAnswers.front();
    if (!rawAnswers.empty())
        rawAnswers.pop_front();
    if (a.width)
        dialog.txtRAWWidth.Text() = *a.width;
    if (a.height)
        dialog.txtRAWHeight.Text() = *a.height;
    if (a.bits24)
        dialog.opt24b.click();
    if (a.ok)
        dialog.OKButton.click();
}

std::vector<std::string> ScriptedUi::texts() const {
    std::vector<std::string> out;
    for (const auto& m : messages)
        out.push_back(m.text);
    return out;
}

}  // namespace tessera::test

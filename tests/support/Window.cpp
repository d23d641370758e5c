#include "support/Window.h"

#include "app/VbText.h"

namespace tessera::test {

std::vector<std::string> convertInWindow(const std::string& input, const std::string& output,
                                         bool add, const ScriptedUi::RawAnswer& raw,
                                         const std::function<void(Form1&)>& setup) {
    ScriptedUi ui;
    ui.openWith(input);
    ui.saveAs(output);
    ui.rawAnswers.push_back(raw);
    Form1 form(ui);
    const bool sound = hasKind(input, "wav");
    (sound ? form.cmdWAVLoad : form.cmdBMPLoad).click();
    if (setup)
        setup(form);
    if (sound)
        (add ? form.cmdWAVConvertAdd : form.cmdWAVConvert).click();
    else
        (add ? form.cmdBMPConvertAdd : form.cmdBMPConvert).click();
    std::vector<std::string> shown;
    for (const auto& m : ui.messages) {
        if (m.style != MsgStyle::YesNoQuestion && m.style != MsgStyle::YesNoExclamation)
            shown.push_back(m.text);
    }
    return shown;
}

}  // namespace tessera::test

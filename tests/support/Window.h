#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/Form1.h"
#include "support/ScriptedUi.h"

namespace tessera::test {

// What a person does in the window: load `input` (answering the RAW dialog with `raw`), set the
// controls with `setup`, convert to `output`, new or added. Returns the messages shown, the two
// questions (both answered Yes) left out.
std::vector<std::string> convertInWindow(const std::string& input, const std::string& output,
                                         bool add = false, const ScriptedUi::RawAnswer& raw = {},
                                         const std::function<void(Form1&)>& setup = {});

}  // namespace tessera::test

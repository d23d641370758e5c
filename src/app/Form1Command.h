// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <exception>
#include <new>

#include "../platform/Errors.h"
#include "app/AppMessages.h"

namespace tessera {

template <typename Body>
void Form1::runCommand(Body&& body) {
    try {
        body();
    } catch (const CommandCancelled&) {
        // The user's Cancel or "No": nothing to say.
    } catch (const TesseraError& e) {
        showFailure(e.what(), e.role());
    } catch (const std::bad_alloc&) {
        showFailure(messages::kNoMemory);
    } catch (const std::exception& e) {
        showFailure(failureText(messages::kWentWrong, e.what()));
    }
}

}  // namespace tessera

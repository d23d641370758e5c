// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <exception>
#include <new>

#include "../platform/Errors.h"
#include "app/AppMessages.h"
#include "app/Outcome.h"

namespace tessera {

template <typename Body>
void Form1::runCommand(Body&& body) {
    const auto refused = [this](Reason reason, const std::string& text, FileRole about) {
        outcome_ = {.kind = Outcome::Kind::Refused, .reason = reason, .text = text, .about = about};
    };
    try {
        body();
        outcome_ = {};
    } catch (const CommandCancelled&) {
        // The user's Cancel or "No": nothing to say.
        outcome_ = {.kind = Outcome::Kind::Cancelled};
    } catch (const PlainRefusal& e) {
        refused(e.reason(), e.what(), e.role());
        ui_.msgBox(e.what(), MsgStyle::OkOnly);
    } catch (const TesseraError& e) {
        refused(e.reason(), e.what(), e.role());
        showFailure(e.what(), e.role());
    } catch (const std::bad_alloc&) {
        refused(Reason::NoMemory, messages::kNoMemory, FileRole::Unknown);
        showFailure(messages::kNoMemory);
    } catch (const std::exception& e) {
        refused(Reason::Unforeseen, failureText(messages::kWentWrong, e.what()), FileRole::Unknown);
        showFailure(outcome_.text);
    }
}

}  // namespace tessera

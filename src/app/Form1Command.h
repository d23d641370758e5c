#pragma once

#include <exception>
#include <new>

#include "app/Errors.h"

namespace tessera {

template <typename Body>
void Form1::runCommand(Body&& body) {
    try {
        body();
    } catch (const CommandCancelled&) {
        // The user's Cancel or "No": nothing to say.
    } catch (const TesseraError& e) {
        showFailure(e.what());
    } catch (const std::bad_alloc&) {
        showFailure("Not enough memory for this file :(");
    } catch (const std::exception& e) {
        showFailure(failureText("Something went wrong :(", e.what()));
    }
}

}  // namespace tessera

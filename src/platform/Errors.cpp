// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Errors.h"

namespace tessera {

std::string failureText(const std::string& headline, const std::string& reason) {
    return reason.empty() ? headline : headline + "\r\n" + reason;
}

}  // namespace tessera

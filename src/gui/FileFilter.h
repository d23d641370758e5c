// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <string>

namespace tessera::gui {

// Turns a dialog filter written as "Description|pattern;pattern|Description|pattern" into Qt's
// "Description (pattern pattern);;..." form. A description that already ends in a parenthesised
// pattern list loses it, since Qt reads the patterns from that last group. "*.*" means every file
// and becomes "*", which also matches names without a dot.
QString qtFileFilter(const std::string& filter);

}  // namespace tessera::gui

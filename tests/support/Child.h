#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tessera::test {

// What a forked child did: its wait status, the text its body returned (or the exception it
// threw), and what it cost.
struct ChildResult {
    int status = 0;
    std::string text;
    long maxRssKiB = 0;
    double seconds = 0;

    bool exitedWith(int code) const;
    bool killedBy(int signal) const;
};

// Runs `body` in a forked child, so that it may change its user, its limits or its signal
// handlers, or die, without touching the test process. The child never returns into the test.
ChildResult runInChild(const std::function<std::string()>& body);

// The names in a folder, sorted: to see that nothing was left behind.
std::vector<std::string> folderEntries(const std::string& dir);

// True when built with AddressSanitizer, whose shadow memory makes memory figures meaningless.
bool underAddressSanitizer();

}  // namespace tessera::test

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstring>
#include <string>

namespace tessera {

// A shared library opened by name when it is first needed, instead of by the loader when the
// program starts. Every library linked in costs each run its loading, and a build converts
// hundreds of small files, one run each; a library only some inputs need is opened on the first
// of them. It stays open until the program ends.
class SharedLibrary {
  public:
    explicit SharedLibrary(const char* soname);  // never throws: see loaded() and error()
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    bool loaded() const { return handle_ != nullptr; }
    // Why the library or the last function asked for could not be found, in the system's words.
    const std::string& error() const { return error_; }

    // The library's function `name` as a pointer of type F (decltype of its declaration); null
    // when the library is not loaded or has no such function.
    template <typename F>
    F function(const char* name) {
        void* found = symbol(name);
        F f = nullptr;
        static_assert(sizeof f == sizeof found);
        std::memcpy(&f, &found, sizeof f);  // a function's address as the system gives it
        return f;
    }

  private:
    void* symbol(const char* name);

    void* handle_ = nullptr;
    std::string error_;
};

}  // namespace tessera

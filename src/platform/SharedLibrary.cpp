// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SharedLibrary.h"

#include <dlfcn.h>

namespace tessera {

namespace {

std::string lastError() {
    const char* text = ::dlerror();
    return text != nullptr ? text : "unknown error";
}

}  // namespace

SharedLibrary::SharedLibrary(const char* soname)
    : handle_(::dlopen(soname, RTLD_NOW | RTLD_LOCAL)) {
    if (handle_ == nullptr)
        error_ = lastError();
}

void* SharedLibrary::symbol(const char* name) {
    if (handle_ == nullptr)
        return nullptr;
    ::dlerror();  // a function may lie at address 0 only in theory; dlerror tells a failure
    void* found = ::dlsym(handle_, name);
    if (found == nullptr)
        error_ = lastError();
    return found;
}

}  // namespace tessera

// Looking up a function of a library loaded at run time, with its declared type.
#pragma once

#include <dlfcn.h>

namespace diglux {

template <typename Function>
bool ResolveFunction(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

} // namespace diglux

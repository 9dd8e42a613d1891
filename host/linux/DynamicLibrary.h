// Loading a library at run time and looking up its functions with their declared types.
#pragma once

#include <dlfcn.h>

#include <optional>

namespace diglux {

template <typename Function>
bool ResolveFunction(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

// Opens the library and fills an Api of function pointers with resolveAll; nothing (and the
// library closed again) when it cannot be opened or a function is missing.
template <typename Api, typename ResolveAll>
std::optional<Api> LoadLibraryApi(const char* file, ResolveAll resolveAll) {
    void* library = dlopen(file, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        return std::nullopt;
    }
    Api api{};
    if (!resolveAll(library, api)) {
        dlclose(library);
        return std::nullopt;
    }
    return api;
}

} // namespace diglux

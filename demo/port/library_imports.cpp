// SPDX-License-Identifier: MIT
#include "demo/port/library_imports.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace demo {

namespace {

std::uint32_t unreachable_answers = 0;

template <class F>
void LookUp(F& slot, const char* name) {
#ifdef _WIN32
    const HMODULE library = GetModuleHandleA("vexa.dll");
    const FARPROC found = library != nullptr ? GetProcAddress(library, name) : nullptr;
    // Through the type that matches any function, as GetProcAddress's
    // result must be cast.
    slot = reinterpret_cast<F>(reinterpret_cast<void (*)()>(found));
#else
    slot = reinterpret_cast<F>(dlsym(RTLD_DEFAULT, name));
#endif
}

LibraryImports Resolved() {
    LibraryImports imports;
    LookUp(imports.IC_ListReaders, "IC_ListReaders");
    LookUp(imports.IC_InitCommPath, "IC_InitCommPath");
    return imports;
}

}  // namespace

void NoteStatus(std::int32_t status) {
    if (status == VEXA_ERR_SEND || status == VEXA_ERR_RECEIVE) ++unreachable_answers;
}

std::uint32_t UnreachableAnswers() {
    return unreachable_answers;
}

LibraryImports& Lib() {
    static LibraryImports imports = Resolved();
    return imports;
}

}  // namespace demo

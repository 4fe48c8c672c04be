/* SPDX-License-Identifier: MIT */
/* Finds the exports at run time by their plain names, as programs that load
 * vexa.dll themselves do. */
#include <windows.h>

#include "tests/windows/abi_scenario.h"

static FARPROC Find(HMODULE dll, const char* name) {
    const FARPROC f = GetProcAddress(dll, name);
    if (!f) {
        printf("FAIL no export named %s\n", name);
        ++abi_failures;
    }
    return f;
}

#define BIND(name, result, params) \
    api.name = (__typeof__(api.name))(void (*)(void))Find(dll, #name);

int main(void) {
    struct Api api;
    const HMODULE dll = LoadLibraryA("vexa.dll");
    if (!dll) {
        printf("FAIL vexa.dll does not load\n");
        return 1;
    }
    ABI_FUNCTIONS(BIND)
    /* The decorated names are the import library's business, not the DLL's. */
    if (GetProcAddress(dll, "_IC_ReadVer@8") || GetProcAddress(dll, "IC_ReadVer@8")) {
        printf("FAIL decorated names exported\n");
        ++abi_failures;
    }
    return abi_failures ? 1 : abi_run(&api, "abi_load_library");
}

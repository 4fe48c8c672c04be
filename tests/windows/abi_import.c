/* SPDX-License-Identifier: MIT */
/* Binds the exports through the import library, as a program linked
 * against vexa.dll does: a wrong decoration fails to link, a wrong
 * convention unbalances the stack. */
#include "tests/windows/abi_scenario.h"

#define IMPORT(name, result, params) __declspec(dllimport) result __stdcall name params;
ABI_FUNCTIONS(IMPORT)

#define ADDRESS(name, result, params) name,
int main(void) {
    const struct Api api = {ABI_FUNCTIONS(ADDRESS)};
    return abi_run(&api, "abi_import");
}

// SPDX-License-Identifier: MIT
#include "demo/port/library_imports.h"

namespace demo {

LibraryImports& Lib() {
    static LibraryImports imports;
    return imports;
}

}  // namespace demo

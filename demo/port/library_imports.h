// SPDX-License-Identifier: MIT
// The library functions the program imports, reached through one table, as
// a program that imports them by name would: tests can watch or replace a
// call without touching the library.
#pragma once

#include <cstdint>

#include "vexa.h"

// X(name) for every imported function.
#define DEMO_LIBRARY_IMPORTS(X) \
    X(IC_InitComm)              \
    X(IC_ExitComm)              \
    X(IC_Status)                \
    X(IC_Status_1)              \
    X(IC_InitType)              \
    X(IC_Down)                  \
    X(IC_Pushout)               \
    X(IC_ReadVer)               \
    X(IC_CpuReset)              \
    X(IC_CpuGetProtocol)        \
    X(IC_CpuApdu)               \
    X(IC_Read)                  \
    X(IC_Write)                 \
    X(IC_ReadProtection)        \
    X(IC_ReadWithProtection)    \
    X(IC_DirectRead)            \
    X(IC_DirectWrite)           \
    X(IC_Read_1101)             \
    X(IC_Write_1101)            \
    X(IC_SetUserZone)           \
    X(IC_ReadUserZone)          \
    X(IC_ReadConfigZone)        \
    X(IC_WriteConfigZone)       \
    X(IC_WriteUserZone)         \
    X(IC_WriteProtection)       \
    X(IC_WriteWithProtection)   \
    X(IC_ReadCount_SLE4442)     \
    X(IC_CheckPass_SLE4442)     \
    X(IC_ChangePass_SLE4442)    \
    X(IC_ReadPass_SLE4442)      \
    X(IC_ReadCount_SLE4428)     \
    X(IC_CheckPass_SLE4428)     \
    X(IC_ChangePass_SLE4428)    \
    X(IC_ReadCount_102)         \
    X(IC_CheckPass_102)         \
    X(IC_ChangePass_102)        \
    X(IC_CheckAZPass_102)       \
    X(IC_ChangeAZPass_102)      \
    X(IC_Erase_102)             \
    X(IC_Fuse_102)              \
    X(IC_ReadCount_1604)        \
    X(IC_CheckPass_1604)        \
    X(IC_ChangePass_1604)       \
    X(IC_Fuse_1604)             \
    X(IC_ReadCount_1604B)       \
    X(IC_CheckPass_1604B)       \
    X(IC_ChangePass_1604B)      \
    X(IC_Fuse_1604B)            \
    X(IC_ReadFuse)              \
    X(IC_WriteFuse)             \
    X(IC_Beep)                  \
    X(IC_ReadDevice)            \
    X(IC_WriteDevice)           \
    X(IC_ReadRPasswordCount)    \
    X(IC_ReadWPasswordCount)    \
    X(IC_CheckRPassword_Hex)    \
    X(IC_CheckWPassword_Hex)    \
    X(IC_ChangeRPassword_Hex)   \
    X(IC_ChangeWPassword_Hex)   \
    X(IC_ReadAuthCount)         \
    X(IC_InitAuth_Hex)          \
    X(IC_ReadConfigZone_Hex)    \
    X(SetInit_Hex)              \
    X(Authenticate_Hex)         \
    X(IC_CheckAuth_Hex)

namespace demo {

// Every answer passes here: a reader pulled out answers -22 or -23 to
// whatever is asked of it until it is opened again.
void NoteStatus(std::int32_t status);

template <auto F>
struct Noted;
template <class R, class... A, R(VEXA_CALL* F)(A...)>
struct Noted<F> {
    static R VEXA_CALL Call(A... args) {
        const R status = F(args...);
        NoteStatus(status);
        return status;
    }
};

struct LibraryImports {
#define DEMO_IMPORT(fn) decltype(&::fn) fn = &Noted<&::fn>::Call;
    DEMO_LIBRARY_IMPORTS(DEMO_IMPORT)
#undef DEMO_IMPORT
    // Looked up by name when the program starts: a library from before
    // several readers could be told apart lacks them, and the program must
    // still start on it. Null then.
    decltype(&::IC_ListReaders) IC_ListReaders = nullptr;
    decltype(&::IC_InitCommPath) IC_InitCommPath = nullptr;
};

// The table every part of the program calls through.
LibraryImports& Lib();

// How many answers said the reader could not be reached, since the program
// started.
std::uint32_t UnreachableAnswers();

}  // namespace demo

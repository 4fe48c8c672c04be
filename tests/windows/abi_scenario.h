/* SPDX-License-Identifier: MIT */
/* What a 32-bit program written for this API does with vexa.dll, checked so
 * that a wrong calling convention or a wrong export shows: every call must
 * leave the stack pointer where it was and return what the simulated reader
 * holds. abi_import.c binds the functions through the import library,
 * abi_load_library.c by name at run time. Run with VEXA_SIM_CARD=sle4442
 * beside the simulator build of vexa.dll. Ends with "ABI OK" on success. */
#ifndef ABI_SCENARIO_H
#define ABI_SCENARIO_H

#include <stdint.h>
#include <stdio.h>
#include <string.h>

/* Declared here rather than taken from vexa.h: these are the prototypes an
 * old program carries. X(name, result, parameters) for each function. */
#define ABI_FUNCTIONS(X)                                                                     \
    X(IC_InitComm, int32_t, (int32_t port))                                                  \
    X(IC_ExitComm, int16_t, (int32_t icdev))                                                 \
    X(IC_Status, int16_t, (int32_t icdev))                                                   \
    X(IC_ReadCount_SLE4442, int16_t, (int32_t icdev))                                        \
    X(IC_ReadVer, int16_t, (int32_t icdev, char* version))                                   \
    X(IC_InitType, int16_t, (int32_t icdev, int32_t type))                                   \
    X(IC_Read, int16_t, (int32_t icdev, int32_t offset, int32_t length, unsigned char* out)) \
    X(IC_CheckPass_SLE4442, int16_t, (int32_t icdev, const unsigned char* code))             \
    X(IC_GetLastError, int16_t, (char* text))                                                \
    X(asc2hex, int16_t, (const unsigned char* bytes, char* text, int32_t n))                 \
    X(IC_Reset, int16_t, (void))                                                             \
    X(IC_Control, int16_t, (int32_t icdev, int32_t code, int32_t value))                     \
    X(IC_CpuApduSource, int16_t,                                                             \
      (int32_t icdev, int32_t slen, const unsigned char* apdu, unsigned char* rlen,          \
       unsigned char* response))

/* One pointer per function, under the function's own name. */
#define ABI_FIELD(name, result, params) result(__stdcall* name) params;
struct Api {
    ABI_FUNCTIONS(ABI_FIELD)
};

static int abi_failures;

#if defined(__i386__)
#define ABI_SP(sp) __asm__ volatile("movl %%esp, %0" : "=r"(sp)::"memory")
#else
#define ABI_SP(sp) __asm__ volatile("movq %%rsp, %0" : "=r"(sp)::"memory")
#endif

/* Calls, then checks the stack pointer and the result. */
#define ABI_EXPECT(call, expected)                                                      \
    do {                                                                                \
        uintptr_t before_, after_;                                                      \
        ABI_SP(before_);                                                                \
        const long got_ = (long)(call);                                                 \
        ABI_SP(after_);                                                                 \
        if (after_ != before_ || got_ != (long)(expected)) {                            \
            printf("FAIL %s: got %ld, expected %ld, stack moved by %ld\n", #call, got_, \
                   (long)(expected), (long)(after_ - before_));                         \
            ++abi_failures;                                                             \
        }                                                                               \
    } while (0)

static void abi_check_text(const char* what, const char* got, const char* expected) {
    if (strcmp(got, expected) != 0) {
        printf("FAIL %s: got \"%s\", expected \"%s\"\n", what, got, expected);
        ++abi_failures;
    }
}

static int abi_run(const struct Api* api, const char* program) {
    static const unsigned char kCode[3] = {0xFF, 0xFF, 0xFF};
    static const unsigned char kApdu[4] = {0x00, 0x84, 0x00, 0x00};
    unsigned char bytes[8] = {0}, rlen = 0, response[64];
    char text[600] = {0};
    int round;
    /* Enough calls that a few bytes left behind per call would run far. */
    for (round = 0; round < 50; ++round) {
        ABI_EXPECT(api->IC_InitComm(100), 180);
        ABI_EXPECT(api->IC_ReadVer(180, text), 0);
        ABI_EXPECT(api->IC_InitType(180, 16), 0);
        ABI_EXPECT(api->IC_Status(180), 0);
        ABI_EXPECT(api->IC_Read(180, 0, 8, bytes), 0);
        ABI_EXPECT(api->IC_CheckPass_SLE4442(180, kCode), 0);
        ABI_EXPECT(api->IC_ReadCount_SLE4442(180), 3);
        ABI_EXPECT(api->asc2hex(bytes, text, 8), 0);
        text[16] = '\0';
        abi_check_text("SLE4442 bytes 0 to 7", text, "A2131091FFFF8115");
        ABI_EXPECT(api->IC_Reset(), -21);
        ABI_EXPECT(api->IC_Control(180, 1, 2), -21);
        ABI_EXPECT(api->IC_CpuApduSource(180, 4, kApdu, &rlen, response), -21);
        ABI_EXPECT(api->IC_GetLastError(text), 0);
        ABI_EXPECT(api->IC_ExitComm(180), 0);
    }
    ABI_EXPECT(api->IC_InitComm(99), -16);
    printf("%s: %d failures\n", program, abi_failures);
    if (abi_failures == 0) printf("ABI OK\n");
    return abi_failures != 0;
}

#endif

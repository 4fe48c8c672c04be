/* SPDX-License-Identifier: MIT */
/* A small application of the library, built the way a user builds one:
 *   consumer memory   select an SLE4442, present its code, write, read back
 *   consumer apdu     reset a CPU card and exchange an APDU */
#include <stdio.h>
#include <string.h>

#include <vexa.h>

static int fail(const char* what, int status) {
    fprintf(stderr, "%s failed: %d\n", what, status);
    return 1;
}

static int memory(int32_t icdev) {
    const unsigned char code[3] = {0xFF, 0xFF, 0xFF};
    const unsigned char data[5] = {'h', 'e', 'l', 'l', 'o'};
    unsigned char back[5] = {0};
    int st;
    if ((st = IC_InitType(icdev, VEXA_TYPE_SLE4442)) != 0) return fail("IC_InitType", st);
    if ((st = IC_CheckPass_SLE4442(icdev, code)) != 0) return fail("IC_CheckPass_SLE4442", st);
    if ((st = IC_Write(icdev, 64, 5, data)) != 0) return fail("IC_Write", st);
    if ((st = IC_Read(icdev, 64, 5, back)) != 0) return fail("IC_Read", st);
    if (memcmp(back, data, 5) != 0) return fail("read back", -1);
    printf("memory ok\n");
    return 0;
}

static int apdu(int32_t icdev) {
    const unsigned char challenge[5] = {0x00, 0x84, 0x00, 0x00, 0x08};
    unsigned char len = 0;
    unsigned char buf[256];
    int st;
    if ((st = IC_InitType(icdev, VEXA_TYPE_CPU)) != 0) return fail("IC_InitType", st);
    if ((st = IC_CpuReset(icdev, &len, buf)) != 0) return fail("IC_CpuReset", st);
    if ((st = IC_CpuApdu(icdev, 5, challenge, &len, buf)) != 0) return fail("IC_CpuApdu", st);
    if (len != 10 || buf[8] != 0x90 || buf[9] != 0x00) return fail("GET CHALLENGE answer", len);
    printf("apdu ok\n");
    return 0;
}

int main(int argc, char** argv) {
    const int32_t icdev = IC_InitComm(100);
    int rc;
    if (icdev < 0) return fail("IC_InitComm", icdev);
    rc = argc > 1 && strcmp(argv[1], "apdu") == 0 ? apdu(icdev) : memory(icdev);
    IC_ExitComm(icdev);
    return rc;
}

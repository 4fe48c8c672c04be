/* SPDX-License-Identifier: MIT */
/*
 * vexa: driver library of the Tavix USB contact smart-card reader.
 *
 * Open the reader with IC_InitComm(100), which returns the device number
 * every other call takes first (180), choose the card family with
 * IC_InitType (or let IC_CheckCard find it), then read and write the card.
 * Close with IC_ExitComm.
 *
 * Every integer argument is a 32-bit signed slot of which each function reads
 * only the width it documents. Results are 16-bit signed statuses (VEXA_OK,
 * VEXA_NO_CARD, the library's own failures VEXA_ERR_*, or the reader's
 * answer words such as VEXA_READER_*), except the open calls, which return a
 * 32-bit device number or VEXA_ERR_OPEN_PORT. Each call also leaves its
 * status in a process-wide last-error register; IC_GetLastError turns it
 * into a GBK message text. Calls are not thread-safe: serialise them.
 */
#ifndef VEXA_H
#define VEXA_H

#include <stdint.h>

#define VEXA_VERSION_MAJOR 1
#define VEXA_VERSION_MINOR 1
#define VEXA_VERSION_PATCH 0
/* One number to compare: 10203 for 1.2.3. */
#define VEXA_VERSION (VEXA_VERSION_MAJOR * 10000 + VEXA_VERSION_MINOR * 100 + VEXA_VERSION_PATCH)

#if defined(VEXA_BUILDING)
#define VEXA_API __attribute__((visibility("default")))
#else
#define VEXA_API
#endif

/* The calling convention of every entry point: the callee removes the
 * arguments on 32-bit Windows, as programs written for this API expect. */
#if defined(_WIN32)
#define VEXA_CALL __stdcall
#else
#define VEXA_CALL
#endif

/* ---- Statuses ----
 * The library's own results. */
#define VEXA_OK 0
#define VEXA_NO_CARD 1                /* no card in the slot */
#define VEXA_ERR_OPEN_PORT (-16)      /* port below 100, or no reader found */
#define VEXA_ERR_APDU_LENGTH (-17)    /* not an APDU of case 1 to 4 */
#define VEXA_ERR_CARD_TYPE (-18)      /* the selected card type has no such operation */
#define VEXA_ERR_WRITE_MISMATCH (-19) /* the bytes read back differ from those written */
#define VEXA_ERR_LENGTH (-20)         /* bad length or address, or a malformed answer */
#define VEXA_ERR_NOT_SUPPORTED (-21)  /* entry point this reader does not offer */
#define VEXA_ERR_SEND (-22)           /* the reader refused a report */
#define VEXA_ERR_RECEIVE (-23)        /* no answer report from the reader */
#define VEXA_ERR_CHECKSUM (-24)       /* answer with a wrong XOR check byte */
#define VEXA_ERR_CARD_TEST (-25)      /* no card, or nothing recognised */
/* Answer words of the reader that IC_GetLastError knows; any other positive
 * status is passed on from the reader just the same. */
#define VEXA_READER_GENERAL_ERROR 0x0101
#define VEXA_READER_HOST_DATA_TOO_LONG 0x6105
#define VEXA_READER_CARD_DATA_TOO_LONG 0x6106
#define VEXA_READER_COMMAND_ERROR 0x6109
#define VEXA_READER_TIMEOUT_AFTER_DATA 0x61D3
#define VEXA_READER_TIMEOUT_NO_DATA 0x61D4
#define VEXA_READER_PARITY_ERROR 0x61D6
#define VEXA_READER_CARD_UNREADABLE 0x61D8
#define VEXA_READER_CPU_CARD_ERROR 0x61D9
#define VEXA_READER_DATA_CHECKSUM 0x61DA

/* ---- Card-type codes of IC_InitType ----
 * Only the low 8 bits count. Other values select a family this library does
 * not serve: memory operations then give VEXA_ERR_CARD_TYPE. */
#define VEXA_TYPE_SLE4428 4 /* SLE4418 / SLE4428, 1 KB */
#define VEXA_TYPE_CPU 12    /* microprocessor card on the card contacts */
#define VEXA_TYPE_SAM1 13   /* security access module slots */
#define VEXA_TYPE_SAM2 14
#define VEXA_TYPE_SAM3 15
#define VEXA_TYPE_SLE4442 16 /* SLE4432 / SLE4442, 256 bytes */
#define VEXA_TYPE_24C 64     /* 24C01A, 24C02, 24C04, 24C08, 24C16 */
#define VEXA_TYPE_45DB041 65 /* 45DB041 serial flash */
#define VEXA_TYPE_24C64 192  /* 24C64 */

/* ---- Results of IC_CheckCard ----
 * or VEXA_ERR_CARD_TEST when there is no card or nothing is recognised. */
#define VEXA_FOUND_SLE4442 8
#define VEXA_FOUND_SLE4428 9
#define VEXA_FOUND_45DB041 11
#define VEXA_FOUND_24C01 21
#define VEXA_FOUND_24C02 22
#define VEXA_FOUND_24C04 23
#define VEXA_FOUND_24C08 24
#define VEXA_FOUND_24C16 25
#define VEXA_FOUND_24C64 26
#define VEXA_FOUND_CPU_T0 30
#define VEXA_FOUND_CPU_T1 31

/* ---- CPU card protocols (IC_CpuGetProtocol, IC_Check_CPU, IC_SetCpuPara) ---- */
#define VEXA_PROTOCOL_T0 0
#define VEXA_PROTOCOL_T1 1

/* ---- 24Cxx size codes (what IC_Check_24C01..IC_Check_24C64 return when the
 * card has another size) ---- */
#define VEXA_SIZE_24C01 1
#define VEXA_SIZE_24C02 2
#define VEXA_SIZE_24C04 4
#define VEXA_SIZE_24C08 8
#define VEXA_SIZE_24C16 16
#define VEXA_SIZE_24C64 64

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Connection and messages ----
 * IC_InitComm opens the reader on a port of 100 or more and returns the
 * device number port + 80, or VEXA_ERR_OPEN_PORT; opening an open port opens
 * it again. The variants behave the same, their second argument ignored.
 * IC_ExitComm closes and returns VEXA_OK, also on a closed port. (The reduced
 * build opens any port and hands out the system's handle as the device
 * number; its variants answer VEXA_ERR_NOT_SUPPORTED.) */
VEXA_API int32_t VEXA_CALL IC_InitComm(int32_t port);
VEXA_API int32_t VEXA_CALL IC_InitComm_Baud(int32_t port, int32_t baud);
VEXA_API int32_t VEXA_CALL IC_InitComm_Q(int32_t port, int32_t unused);
VEXA_API int32_t VEXA_CALL IC_InitCommAdvanced(int32_t port);
VEXA_API int16_t VEXA_CALL IC_ExitComm(int32_t icdev);
/* text: at least 21 bytes; receives the message of the last-error register
 * (which this call leaves as it is) */
VEXA_API int16_t VEXA_CALL IC_GetLastError(char* text);

/* ---- Several readers ----
 * IC_ListReaders fills up to `capacity` entries with the readers attached
 * now, open ones included, in the order IC_InitComm tries them, and returns
 * how many are attached: more than `capacity` when the array is too short
 * (readers may be NULL when capacity is 0). IC_InitCommPath opens the reader
 * at an entry's path the way IC_InitComm(port) opens the first free one: it
 * returns the device number, or VEXA_ERR_OPEN_PORT when the path is not an
 * attached reader or another process holds it.
 * Each device number keeps the CPU card protocol and T=1 block sequence of
 * its own resets until it is closed; one without any yet (and
 * IC_CpuGetProtocol) uses the values set last on any reader. Card type
 * selection and the last-error register are process-wide. */
#define VEXA_READER_PATH_SIZE 256
#define VEXA_READER_SERIAL_SIZE 128
#define VEXA_READER_LOCATION_SIZE 32
typedef struct VexaReaderInfo {
    char path[VEXA_READER_PATH_SIZE];         /* "/dev/hidraw3"; on Windows the device-interface path */
    char serial[VEXA_READER_SERIAL_SIZE];     /* USB serial number, "" when the reader has none */
    char location[VEXA_READER_LOCATION_SIZE]; /* "BBB/DDD:I", USB bus, device and interface numbers as in
                                                 /dev/bus/usb/BBB/DDD; "" when not known */
} VexaReaderInfo;
VEXA_API int16_t VEXA_CALL IC_ListReaders(VexaReaderInfo* readers, int16_t capacity);
VEXA_API int32_t VEXA_CALL IC_InitCommPath(int32_t port, const char* path);

/* ---- Card type selection ----
 * Selects the family (VEXA_TYPE_*) for the memory calls that follow and tells
 * the reader its card protocol. The selection is process-wide and survives
 * closing the reader. On a refusal the previous selection stays and the
 * reader's answer is returned. Types the reader needs no protocol for (CPU,
 * SAM, families not served) select without reader traffic and leave the
 * last-error register alone. */
VEXA_API int16_t VEXA_CALL IC_InitType(int32_t icdev, int32_t type);

/* ---- Converters ----
 * asc2hex writes 2 * n upper-case hexadecimal characters for n bytes,
 * hex2asc n bytes from 2 * n characters (either case). Neither writes a NUL
 * nor rejects anything; both return VEXA_OK. */
VEXA_API int16_t VEXA_CALL asc2hex(const unsigned char* bytes, char* text, int32_t n);
VEXA_API int16_t VEXA_CALL hex2asc(const char* text, unsigned char* bytes, int32_t n);

/* ---- Reader device commands ----
 * IC_Status: VEXA_OK card present, VEXA_NO_CARD no card, else a status (re-selects the card
 * type first). IC_Down powers the card down. */
VEXA_API int16_t VEXA_CALL IC_Status(int32_t icdev);
VEXA_API int16_t VEXA_CALL IC_Down(int32_t icdev);
/* version: at least 511 bytes; receives hexadecimal text and a NUL */
VEXA_API int16_t VEXA_CALL IC_ReadVer(int32_t icdev, char* version);
/* The reader's own memory (2048 bytes). offset and length read 16 bits;
 * negative ones give VEXA_ERR_LENGTH. Writes are read back: a difference gives
 * VEXA_ERR_WRITE_MISMATCH. The _Hex twins carry at most 2048 bytes, text without a NUL. */
VEXA_API int16_t VEXA_CALL IC_ReadDevice(int32_t icdev, int32_t offset, int32_t length,
                                         unsigned char* data);
VEXA_API int16_t VEXA_CALL IC_WriteDevice(int32_t icdev, int32_t offset, int32_t length,
                                          const unsigned char* data);
VEXA_API int16_t VEXA_CALL IC_ReadDevice_Hex(int32_t icdev, int32_t offset, int32_t length,
                                             char* text);
VEXA_API int16_t VEXA_CALL IC_WriteDevice_Hex(int32_t icdev, int32_t offset, int32_t length,
                                              const char* text);
/* No beeper and no serial number: these return at once without reader
 * traffic and leave the last-error register alone. IC_ReadDevSnr writes only
 * a NUL at snr[32], IC_ReadDevSnr_Hex only a NUL at snr[64] and returns the
 * last-error register. */
VEXA_API int16_t VEXA_CALL IC_Beep(int32_t icdev, int32_t unused1, int32_t unused2);
VEXA_API int16_t VEXA_CALL IC_DevBeep(int32_t icdev, int32_t unused);
VEXA_API int16_t VEXA_CALL IC_ReadDevSnr(int32_t icdev, char* snr);
VEXA_API int16_t VEXA_CALL IC_ReadDevSnr_Hex(int32_t icdev, char* snr);

/* ---- CPU and SAM cards ----
 * VEXA_TYPE_CPU selects the CPU card, every other type a module card (SAM).
 * A reset returns the ATR (buffer of at least 255 bytes) and takes the
 * protocol from it: T=1 when TD1 offers T=1, else T=0. */
VEXA_API int16_t VEXA_CALL IC_CpuReset(int32_t icdev, unsigned char* atr_len, unsigned char* atr);
VEXA_API int16_t VEXA_CALL IC_CpuColdReset(int32_t icdev, unsigned char* atr_len,
                                           unsigned char* atr);
VEXA_API int16_t VEXA_CALL IC_CpuHotReset(int32_t icdev, unsigned char* atr_len,
                                          unsigned char* atr);
/* atr: 2 * atr_len hexadecimal characters, no NUL */
VEXA_API int16_t VEXA_CALL IC_CpuReset_Hex(int32_t icdev, unsigned char* atr_len, char* atr);
VEXA_API int16_t VEXA_CALL IC_CpuColdReset_Hex(int32_t icdev, unsigned char* atr_len, char* atr);
VEXA_API int16_t VEXA_CALL IC_CpuHotReset_Hex(int32_t icdev, unsigned char* atr_len, char* atr);
/* command: slen bytes (low 8 bits), an APDU of case 1 to 4, else VEXA_ERR_APDU_LENGTH.
 * response: at least 255 bytes; under T=1 the information field of the card's
 * I-block, or the whole block when it is anything else (chained, R, S). */
VEXA_API int16_t VEXA_CALL IC_CpuApdu(int32_t icdev, int32_t slen, const unsigned char* command,
                                      unsigned char* rlen, unsigned char* response);
/* command: 2 * slen hexadecimal characters (slen 16 bits, at most 255);
 * response: 2 * rlen characters, no NUL */
VEXA_API int16_t VEXA_CALL IC_CpuApdu_Hex(int32_t icdev, int32_t slen, const char* command,
                                          unsigned char* rlen, char* response);
/* VEXA_PROTOCOL_T0 or VEXA_PROTOCOL_T1 */
VEXA_API int16_t VEXA_CALL IC_CpuGetProtocol(int32_t icdev);
/* selects the card type (low 8 bits) even when the reader refuses */
VEXA_API int16_t VEXA_CALL IC_SetCpuPara(int32_t icdev, int32_t type, int32_t protocol,
                                         int32_t parameter);

/* ---- 24Cxx serial EEPROM and 45DB041 serial flash (select VEXA_TYPE_24C,
 * VEXA_TYPE_24C64 or VEXA_TYPE_45DB041) ----
 * One reader command each; a refused command returns the reader's answer
 * word. Addresses, pages and byte offsets read 16 bits (negative ones give
 * VEXA_ERR_LENGTH), read counts 8 bits. Write counts read 16 bits: at most 248 for
 * Write_24C, 246 for Write_45DB041, else VEXA_ERR_LENGTH and nothing is sent. A read
 * answered with fewer bytes than asked gives VEXA_ERR_LENGTH and leaves out as it was. */
VEXA_API int16_t VEXA_CALL Read_24C(int32_t icdev, int32_t address, int32_t count,
                                    unsigned char* out);
VEXA_API int16_t VEXA_CALL Write_24C(int32_t icdev, int32_t address, int32_t count,
                                     const unsigned char* data);
VEXA_API int16_t VEXA_CALL Read_45DB041(int32_t icdev, int32_t page, int32_t offset, int32_t count,
                                        unsigned char* out);
VEXA_API int16_t VEXA_CALL Write_45DB041(int32_t icdev, int32_t page, int32_t offset, int32_t count,
                                         const unsigned char* data);

/* ---- Memory read and write ----
 * IC_Read / IC_Write act on the family IC_InitType selected (24Cxx, SLE4442,
 * SLE4428; VEXA_ERR_CARD_TYPE for others, the 45DB041 included), in pieces of up to 128
 * bytes. Writes read every piece back: a difference gives VEXA_ERR_WRITE_MISMATCH, and the
 * pieces before it stay written. IC_Write24 (24C01A..24C16) and IC_Write64
 * (24C64) write whatever is selected; IC_DirectRead / IC_DirectWrite address
 * one 45DB041 page in pieces of 140 bytes. Offsets and lengths read 16 bits;
 * negative ones, or a missing buffer behind a non-empty request, give VEXA_ERR_LENGTH
 * without reader traffic. The _Hex twins carry 2 * length characters without
 * a NUL, lengths up to 1025 (IC_Read_Hex, IC_Write_Hex), 2048 (IC_Write24_Hex),
 * 10240 (IC_Write64_Hex) and 300 (IC_DirectRead_Hex, IC_DirectWrite_Hex). */
VEXA_API int16_t VEXA_CALL IC_Read(int32_t icdev, int32_t offset, int32_t length,
                                   unsigned char* out);
VEXA_API int16_t VEXA_CALL IC_Write(int32_t icdev, int32_t offset, int32_t length,
                                    const unsigned char* data);
VEXA_API int16_t VEXA_CALL IC_Write24(int32_t icdev, int32_t offset, int32_t length,
                                      const unsigned char* data);
VEXA_API int16_t VEXA_CALL IC_Write64(int32_t icdev, int32_t offset, int32_t length,
                                      const unsigned char* data);
VEXA_API int16_t VEXA_CALL IC_DirectRead(int32_t icdev, int32_t page, int32_t offset,
                                         int32_t length, unsigned char* out);
VEXA_API int16_t VEXA_CALL IC_DirectWrite(int32_t icdev, int32_t page, int32_t offset,
                                          int32_t length, const unsigned char* data);
VEXA_API int16_t VEXA_CALL IC_Read_Hex(int32_t icdev, int32_t offset, int32_t length, char* text);
VEXA_API int16_t VEXA_CALL IC_Write_Hex(int32_t icdev, int32_t offset, int32_t length,
                                        const char* text);
VEXA_API int16_t VEXA_CALL IC_Write24_Hex(int32_t icdev, int32_t offset, int32_t length,
                                          const char* text);
VEXA_API int16_t VEXA_CALL IC_Write64_Hex(int32_t icdev, int32_t offset, int32_t length,
                                          const char* text);
VEXA_API int16_t VEXA_CALL IC_DirectRead_Hex(int32_t icdev, int32_t page, int32_t offset,
                                             int32_t length, char* text);
VEXA_API int16_t VEXA_CALL IC_DirectWrite_Hex(int32_t icdev, int32_t page, int32_t offset,
                                              int32_t length, const char* text);

/* ---- SLE4442 / SLE4432 protected memory (select VEXA_TYPE_SLE4442) ----
 * One reader command each. A refused command returns the reader's answer
 * word (wrong code, locked card, no card). Addresses and counts read 8 bits
 * unless noted; Write_4442 takes a 16-bit count of at most 249. */
VEXA_API int16_t VEXA_CALL Read_4442(int32_t icdev, int32_t address, int32_t count,
                                     unsigned char* out);
VEXA_API int16_t VEXA_CALL Write_4442(int32_t icdev, int32_t address, int32_t count,
                                      const unsigned char* data);
/* code: 3 bytes */
VEXA_API int16_t VEXA_CALL VerifyPin_4442(int32_t icdev, const unsigned char* code);
/* out: count entries, 1 = writable, 0 = protected (entries past 31 read 0) */
VEXA_API int16_t VEXA_CALL ReadWithProtection_4442(int32_t icdev, int32_t first, int32_t count,
                                                   unsigned char* out);
/* writes the bytes, then protects those of 0..31 */
VEXA_API int16_t VEXA_CALL WriteWithProtection_4442(int32_t icdev, int32_t address, int32_t count,
                                                    const unsigned char* data);
/* out: 4 bytes, error counter then the code (reads 00 00 00 until verified) */
VEXA_API int16_t VEXA_CALL ReadPass_4442(int32_t icdev, unsigned char* out);
VEXA_API int16_t VEXA_CALL WritePass_4442(int32_t icdev, const unsigned char* code);

VEXA_API int16_t VEXA_CALL IC_CheckPass_SLE4442(int32_t icdev, const unsigned char* code);
VEXA_API int16_t VEXA_CALL IC_ChangePass_SLE4442(int32_t icdev, const unsigned char* code);
/* code: 3 bytes out */
VEXA_API int16_t VEXA_CALL IC_ReadPass_SLE4442(int32_t icdev, unsigned char* code);
/* attempts left 0..3 with 0 in the last-error register, or a status */
VEXA_API int16_t VEXA_CALL IC_ReadCount_SLE4442(int32_t icdev);
/* code: 6 hexadecimal characters (out: not NUL-terminated) */
VEXA_API int16_t VEXA_CALL IC_CheckPass_4442hex(int32_t icdev, const char* code);
VEXA_API int16_t VEXA_CALL IC_ChangePass_4442hex(int32_t icdev, const char* code);
VEXA_API int16_t VEXA_CALL IC_ReadPass_4442hex(int32_t icdev, char* code);

/* ---- SLE4428 / SLE4418 protected memory (select VEXA_TYPE_SLE4428) ----
 * Addresses are 16-bit (0..1023); the error counter sits at 1021, the code at
 * 1022 and 1023. Write counts are 16-bit, at most 248. */
VEXA_API int16_t VEXA_CALL Read_4428(int32_t icdev, int32_t address, int32_t count,
                                     unsigned char* out);
VEXA_API int16_t VEXA_CALL Write_4428(int32_t icdev, int32_t address, int32_t count,
                                      const unsigned char* data);
/* code: 2 bytes */
VEXA_API int16_t VEXA_CALL VerifyPin_4428(int32_t icdev, const unsigned char* code);
/* out: 2 * count bytes: the data, then "1" (writable) or "0" (protected) per
 * byte; count at most 127 */
VEXA_API int16_t VEXA_CALL ReadWithProtection_4428(int32_t icdev, int32_t address, int32_t count,
                                                   unsigned char* out);
VEXA_API int16_t VEXA_CALL WriteWithProtection_4428(int32_t icdev, int32_t address, int32_t count,
                                                    const unsigned char* data);

VEXA_API int16_t VEXA_CALL IC_CheckPass_SLE4428(int32_t icdev, const unsigned char* code);
/* code: 4 hexadecimal characters */
VEXA_API int16_t VEXA_CALL IC_CheckPass_4428hex(int32_t icdev, const char* code);
/* attempts left 0..8 with 0 in the last-error register, or a status; reads
 * through IC_Read, so the SLE4428 must be selected */
VEXA_API int16_t VEXA_CALL IC_ReadCount_SLE4428(int32_t icdev);
/* writes and reads back through IC_Write */
VEXA_API int16_t VEXA_CALL IC_ChangePass_SLE4428(int32_t icdev, const unsigned char* code);
VEXA_API int16_t VEXA_CALL IC_ChangePass_4428hex(int32_t icdev, const char* code);

/* ---- Protection entry points (whatever family is selected) ----
 * IC_ReadProtection / IC_WriteProtection address an SLE4442 (offset and length
 * read 8 bits), IC_ReadWithProtection / IC_WriteWithProtection an SLE4428
 * (16-bit offset and length; negative ones give VEXA_ERR_LENGTH). The _Hex twins carry
 * the bytes as text: at most 255, 33, 128 and 1024 bytes respectively. */
VEXA_API int16_t VEXA_CALL IC_ReadProtection(int32_t icdev, int32_t offset, int32_t length,
                                             unsigned char* out);
VEXA_API int16_t VEXA_CALL IC_WriteProtection(int32_t icdev, int32_t offset, int32_t length,
                                              const unsigned char* data);
/* out: 2 * length bytes: the data, then one "0"/"1" flag character per byte */
VEXA_API int16_t VEXA_CALL IC_ReadWithProtection(int32_t icdev, int32_t offset, int32_t length,
                                                 unsigned char* out);
VEXA_API int16_t VEXA_CALL IC_WriteWithProtection(int32_t icdev, int32_t offset, int32_t length,
                                                  const unsigned char* data);
VEXA_API int16_t VEXA_CALL IC_ReadProtection_Hex(int32_t icdev, int32_t offset, int32_t length,
                                                 char* text);
VEXA_API int16_t VEXA_CALL IC_WriteProtection_Hex(int32_t icdev, int32_t offset, int32_t length,
                                                  const char* text);
/* text: 4 * length characters (data and flag characters, both as hex) */
VEXA_API int16_t VEXA_CALL IC_ReadWithProtection_Hex(int32_t icdev, int32_t offset, int32_t length,
                                                     char* text);
VEXA_API int16_t VEXA_CALL IC_WriteWithProtection_Hex(int32_t icdev, int32_t offset, int32_t length,
                                                      const char* text);

/* ---- Card detection ----
 * IC_CheckCard returns a VEXA_FOUND_* code, or VEXA_ERR_CARD_TEST when there
 * is no card or nothing is recognised. The IC_Check_* tests return VEXA_OK
 * on a match, VEXA_ERR_CARD_TEST on none, or a status. Each test leaves the
 * family it found selected and the card's memory as it was. */
VEXA_API int16_t VEXA_CALL IC_CheckCard(int32_t icdev);
VEXA_API int16_t VEXA_CALL IC_Check_4442(int32_t icdev);
VEXA_API int16_t VEXA_CALL IC_Check_4428(int32_t icdev);
VEXA_API int16_t VEXA_CALL IC_Check_45DB041(int32_t icdev);
/* VEXA_PROTOCOL_T0 or VEXA_PROTOCOL_T1 for a CPU card, VEXA_ERR_CARD_TEST when
 * none answered. */
VEXA_API int16_t VEXA_CALL IC_Check_CPU(int32_t icdev);
/* VEXA_OK when the card has that size; otherwise the VEXA_SIZE_* code found
 * or a status. */
VEXA_API int16_t VEXA_CALL IC_Check_24C01(int32_t icdev);
VEXA_API int16_t VEXA_CALL IC_Check_24C02(int32_t icdev);
VEXA_API int16_t VEXA_CALL IC_Check_24C04(int32_t icdev);
VEXA_API int16_t VEXA_CALL IC_Check_24C08(int32_t icdev);
VEXA_API int16_t VEXA_CALL IC_Check_24C16(int32_t icdev);
VEXA_API int16_t VEXA_CALL IC_Check_24C64(int32_t icdev);

/* ==== Entry points this reader does not offer ====
 * Each of them stores VEXA_ERR_NOT_SUPPORTED (function not supported) in the last-error register
 * and returns it, without looking at its arguments or talking to the reader.
 * They exist so that programs written for the whole API load and fail cleanly.
 */

/* ---- Not supported: reader device ---- */
VEXA_API int16_t VEXA_CALL IC_Reset(void);
VEXA_API int16_t VEXA_CALL IC_Pushout(int32_t icdev);
VEXA_API int16_t VEXA_CALL IC_Status_1(int32_t icdev);
VEXA_API int16_t VEXA_CALL IC_GotoUpdate(int32_t icdev);
VEXA_API int16_t VEXA_CALL IC_SetUsbTimeout(int32_t timeout);
VEXA_API int16_t VEXA_CALL IC_ReadUsbSnr(int32_t icdev, char* snr);
VEXA_API int16_t VEXA_CALL IC_SetCommTimeout(int32_t icdev, int32_t timeout);
VEXA_API int16_t VEXA_CALL IC_Control(int32_t icdev, int32_t code, int32_t value);

/* ---- Not supported: CPU card extras ---- */
VEXA_API int16_t VEXA_CALL IC_CpuSetProtocol(int32_t icdev, int32_t protocol);
VEXA_API int16_t VEXA_CALL IC_CpuApduSource(int32_t icdev, int32_t slen, const unsigned char* apdu,
                                            unsigned char* rlen, unsigned char* response);
VEXA_API int16_t VEXA_CALL IC_CpuApduSource_Hex(int32_t icdev, int32_t slen, const char* apdu,
                                                unsigned char* rlen, char* response);
VEXA_API int16_t VEXA_CALL IC_CpuApduRespon(int32_t icdev, int32_t slen, const unsigned char* apdu,
                                            unsigned char* rlen, unsigned char* response);
VEXA_API int16_t VEXA_CALL IC_CpuApduSourceEXT(int32_t icdev, int32_t slen,
                                               const unsigned char* apdu, unsigned char* rlen,
                                               unsigned char* response);
VEXA_API int16_t VEXA_CALL IC_CpuApduSourceEXT_Hex(int32_t icdev, int32_t slen, const char* apdu,
                                                   unsigned char* rlen, char* response);
VEXA_API int16_t VEXA_CALL IC_CpuApduEXT(int32_t icdev, int32_t slen, const unsigned char* apdu,
                                         unsigned char* rlen, unsigned char* response);
VEXA_API int16_t VEXA_CALL IC_CpuApduEXT_Hex(int32_t icdev, int32_t slen, const char* apdu,
                                             unsigned char* rlen, char* response);

/* ---- Not supported: encryption ---- */
VEXA_API int16_t VEXA_CALL IC_Encrypt(const unsigned char* key, const unsigned char* data,
                                      int32_t len, unsigned char* out);
VEXA_API int16_t VEXA_CALL IC_Decrypt(const unsigned char* key, const unsigned char* data,
                                      int32_t len, unsigned char* out);
VEXA_API int16_t VEXA_CALL IC_Encrypt_Hex(const char* key, const char* data, int32_t len,
                                          char* out);
VEXA_API int16_t VEXA_CALL IC_Decrypt_Hex(const char* key, const char* data, int32_t len,
                                          char* out);
VEXA_API int16_t VEXA_CALL IC_Encrypt_Neu(const unsigned char* key, const unsigned char* data,
                                          int32_t len, unsigned char* out);
VEXA_API int16_t VEXA_CALL IC_Decrypt_Neu(const unsigned char* key, const unsigned char* data,
                                          int32_t len, unsigned char* out);

/* ---- Not supported: typed and buffered data ---- */
VEXA_API int16_t VEXA_CALL IC_Read_Float(int32_t icdev, int32_t offset, float* value);
VEXA_API int16_t VEXA_CALL IC_Write_Float(int32_t icdev, int32_t offset, float value);
VEXA_API int16_t VEXA_CALL IC_Read_Int(int32_t icdev, int32_t offset, int32_t* value);
VEXA_API int16_t VEXA_CALL IC_Write_Int(int32_t icdev, int32_t offset, int32_t value);
VEXA_API int16_t VEXA_CALL IC_Erase(int32_t icdev, int32_t offset, int32_t len);
VEXA_API int16_t VEXA_CALL IC_WriteByBuffer(int32_t icdev, int32_t offset, int32_t len,
                                            const unsigned char* data, int32_t buffer_size);

/* ---- Not supported: AT88SC102 ---- */
VEXA_API int16_t VEXA_CALL IC_Check_102(int32_t icdev);
VEXA_API int16_t VEXA_CALL IC_Fuse_102(int32_t icdev);
VEXA_API int16_t VEXA_CALL IC_ReadCount_102(int32_t icdev);
VEXA_API int16_t VEXA_CALL IC_CheckPass_102(int32_t icdev, const unsigned char* password);
VEXA_API int16_t VEXA_CALL IC_ChangePass_102(int32_t icdev, const unsigned char* password);
VEXA_API int16_t VEXA_CALL IC_CheckPass_102hex(int32_t icdev, const char* password);
VEXA_API int16_t VEXA_CALL IC_ChangePass_102hex(int32_t icdev, const char* password);
VEXA_API int16_t VEXA_CALL IC_Erase_102(int32_t icdev, int32_t offset, int32_t len);
VEXA_API int16_t VEXA_CALL IC_CheckAZPass_102(int32_t icdev, int32_t area,
                                              const unsigned char* key);
VEXA_API int16_t VEXA_CALL IC_ChangeAZPass_102(int32_t icdev, int32_t area,
                                               const unsigned char* key);
VEXA_API int16_t VEXA_CALL IC_CheckAZPass_102hex(int32_t icdev, int32_t area, const char* key);
VEXA_API int16_t VEXA_CALL IC_ChangeAZPass_102hex(int32_t icdev, int32_t area, const char* key);
VEXA_API int16_t VEXA_CALL IC_Write_102(int32_t icdev, int32_t offset, int32_t len,
                                        const unsigned char* data);
VEXA_API int16_t VEXA_CALL IC_Write_102hex(int32_t icdev, int32_t offset, int32_t len,
                                           const char* data);

/* ---- Not supported: AT88SC1604 ---- */
VEXA_API int16_t VEXA_CALL IC_Check_1604(int32_t icdev);
VEXA_API int16_t VEXA_CALL IC_Fuse_1604(int32_t icdev);
VEXA_API int16_t VEXA_CALL IC_ReadCount_1604(int32_t icdev, int32_t index);
VEXA_API int16_t VEXA_CALL IC_CheckPass_1604(int32_t icdev, int32_t index,
                                             const unsigned char* password);
VEXA_API int16_t VEXA_CALL IC_ChangePass_1604(int32_t icdev, int32_t index,
                                              const unsigned char* password);
VEXA_API int16_t VEXA_CALL IC_CheckPass_1604hex(int32_t icdev, int32_t index, const char* password);
VEXA_API int16_t VEXA_CALL IC_ChangePass_1604hex(int32_t icdev, int32_t index,
                                                 const char* password);
VEXA_API int16_t VEXA_CALL IC_Write_1604(int32_t icdev, int32_t offset, int32_t len,
                                         const unsigned char* data);
VEXA_API int16_t VEXA_CALL IC_Write_1604hex(int32_t icdev, int32_t offset, int32_t len,
                                            const char* data);

/* ---- Not supported: AT88SC1604B ---- */
VEXA_API int16_t VEXA_CALL IC_Check_1604B(int32_t icdev);
VEXA_API int16_t VEXA_CALL IC_Fuse_1604B(int32_t icdev);
VEXA_API int16_t VEXA_CALL IC_ReadCount_1604B(int32_t icdev, int32_t index);
VEXA_API int16_t VEXA_CALL IC_CheckPass_1604B(int32_t icdev, int32_t index,
                                              const unsigned char* password);
VEXA_API int16_t VEXA_CALL IC_ChangePass_1604B(int32_t icdev, int32_t index,
                                               const unsigned char* password);
VEXA_API int16_t VEXA_CALL IC_CheckPass_1604Bhex(int32_t icdev, int32_t index,
                                                 const char* password);
VEXA_API int16_t VEXA_CALL IC_ChangePass_1604Bhex(int32_t icdev, int32_t index,
                                                  const char* password);

/* ---- Not supported: 4404 ---- */
VEXA_API int16_t VEXA_CALL IC_Check_4404(int32_t icdev);
VEXA_API int16_t VEXA_CALL IC_Fuse_4404(int32_t icdev);
VEXA_API int16_t VEXA_CALL IC_ReadCount_4404(int32_t icdev);
VEXA_API int16_t VEXA_CALL IC_CheckPass_4404(int32_t icdev, const unsigned char* password);
VEXA_API int16_t VEXA_CALL IC_ChangePass_4404(int32_t icdev, const unsigned char* password);
VEXA_API int16_t VEXA_CALL IC_CheckAZPass_4404(int32_t icdev, const unsigned char* key);
VEXA_API int16_t VEXA_CALL IC_ChangeAZPass_4404(int32_t icdev, const unsigned char* key);
VEXA_API int16_t VEXA_CALL IC_CheckPass_4404hex(int32_t icdev, const char* password);
VEXA_API int16_t VEXA_CALL IC_ChangePass_4404hex(int32_t icdev, const char* password);
VEXA_API int16_t VEXA_CALL IC_CheckAZPass_4404hex(int32_t icdev, const char* key);
VEXA_API int16_t VEXA_CALL IC_ChangeAZPass_4404hex(int32_t icdev, const char* key);

/* ---- Not supported: 4406 ---- */
VEXA_API int16_t VEXA_CALL IC_Check_4406(int32_t icdev);
VEXA_API int16_t VEXA_CALL IC_RValue(int32_t icdev);
VEXA_API int16_t VEXA_CALL IC_ReadCount_4406(int32_t icdev);
VEXA_API int16_t VEXA_CALL IC_DEValue(int32_t icdev, int32_t value);
VEXA_API int16_t VEXA_CALL IC_Fuse_4406(int32_t icdev, int32_t fuse);
VEXA_API int16_t VEXA_CALL IC_Erase_4406(int32_t icdev, int32_t area);
VEXA_API int16_t VEXA_CALL IC_CheckPass_4406(int32_t icdev, const unsigned char* password);
VEXA_API int16_t VEXA_CALL IC_CheckPass_4406hex(int32_t icdev, const char* password);
VEXA_API int16_t VEXA_CALL IC_CheckPass_4406user(int32_t icdev, const unsigned char* password);
VEXA_API int16_t VEXA_CALL IC_CheckPass_4406userhex(int32_t icdev, const char* password);

/* ---- Not supported: SSF1101 ---- */
VEXA_API int16_t VEXA_CALL IC_Check_1101(int32_t icdev);
VEXA_API int16_t VEXA_CALL IC_Read_1101(int32_t icdev, int32_t page, int32_t offset, int32_t len,
                                        unsigned char* buffer);
VEXA_API int16_t VEXA_CALL IC_Write_1101(int32_t icdev, int32_t page, int32_t offset, int32_t len,
                                         const unsigned char* data);
VEXA_API int16_t VEXA_CALL IC_Read_1101hex(int32_t icdev, int32_t page, int32_t offset, int32_t len,
                                           char* text);
VEXA_API int16_t VEXA_CALL IC_Write_1101hex(int32_t icdev, int32_t page, int32_t offset,
                                            int32_t len, const char* text);

/* ---- Not supported: AT88SC153 and AT88SC1608 secure memory ---- */
VEXA_API int16_t VEXA_CALL IC_Check_153(int32_t icdev);
VEXA_API int16_t VEXA_CALL IC_Check_1608(int32_t icdev);
VEXA_API int16_t VEXA_CALL IC_ReadFuse(int32_t icdev);
VEXA_API int16_t VEXA_CALL IC_ReadAuthCount(int32_t icdev);
VEXA_API int16_t VEXA_CALL IC_WriteFuse(int32_t icdev, int32_t fuse);
VEXA_API int16_t VEXA_CALL IC_SetUserZone(int32_t icdev, int32_t zone);
VEXA_API int16_t VEXA_CALL IC_ReadWPasswordCount(int32_t icdev, int32_t set);
VEXA_API int16_t VEXA_CALL IC_ReadRPasswordCount(int32_t icdev, int32_t set);
VEXA_API int16_t VEXA_CALL IC_InitAuth(int32_t icdev, const unsigned char* random);
VEXA_API int16_t VEXA_CALL IC_InitAuth_Hex(int32_t icdev, const char* random);
VEXA_API int16_t VEXA_CALL IC_CheckAuth(int32_t icdev, const unsigned char* host_challenge);
VEXA_API int16_t VEXA_CALL IC_CheckAuth_Hex(int32_t icdev, const char* host_challenge);
VEXA_API int16_t VEXA_CALL SetInit(const unsigned char* card_id, const unsigned char* password,
                                   const unsigned char* random);
VEXA_API int16_t VEXA_CALL SetInit_Hex(const char* card_id, const char* password,
                                       const char* random);
VEXA_API int16_t VEXA_CALL Authenticate(unsigned char* host_challenge, unsigned char* card_answer);
VEXA_API int16_t VEXA_CALL Authenticate_Hex(char* host_challenge, char* card_answer);
VEXA_API int16_t VEXA_CALL IC_CheckRPassword(int32_t icdev, int32_t set,
                                             const unsigned char* password);
VEXA_API int16_t VEXA_CALL IC_CheckWPassword(int32_t icdev, int32_t set,
                                             const unsigned char* password);
VEXA_API int16_t VEXA_CALL IC_CheckRPassword_Hex(int32_t icdev, int32_t set, const char* password);
VEXA_API int16_t VEXA_CALL IC_CheckWPassword_Hex(int32_t icdev, int32_t set, const char* password);
VEXA_API int16_t VEXA_CALL IC_ChangeRPassword(int32_t icdev, int32_t set,
                                              const unsigned char* password);
VEXA_API int16_t VEXA_CALL IC_ChangeWPassword(int32_t icdev, int32_t set,
                                              const unsigned char* password);
VEXA_API int16_t VEXA_CALL IC_ChangeRPassword_Hex(int32_t icdev, int32_t set, const char* password);
VEXA_API int16_t VEXA_CALL IC_ChangeWPassword_Hex(int32_t icdev, int32_t set, const char* password);
VEXA_API int16_t VEXA_CALL IC_ReadConfigZone(int32_t icdev, int32_t offset, int32_t len,
                                             unsigned char* buffer);
VEXA_API int16_t VEXA_CALL IC_ReadUserZone(int32_t icdev, int32_t offset, int32_t len,
                                           unsigned char* buffer);
VEXA_API int16_t VEXA_CALL IC_WriteConfigZone(int32_t icdev, int32_t offset, int32_t len,
                                              const unsigned char* data);
VEXA_API int16_t VEXA_CALL IC_WriteUserZone(int32_t icdev, int32_t offset, int32_t len,
                                            const unsigned char* data);
VEXA_API int16_t VEXA_CALL IC_ReadConfigZone_Hex(int32_t icdev, int32_t offset, int32_t len,
                                                 char* text);
VEXA_API int16_t VEXA_CALL IC_ReadUserZone_Hex(int32_t icdev, int32_t offset, int32_t len,
                                               char* text);
VEXA_API int16_t VEXA_CALL IC_WriteConfigZone_Hex(int32_t icdev, int32_t offset, int32_t len,
                                                  const char* text);
VEXA_API int16_t VEXA_CALL IC_WriteUserZone_Hex(int32_t icdev, int32_t offset, int32_t len,
                                                const char* text);

/* ---- Not supported: microprocessor card file commands ---- */
VEXA_API int16_t VEXA_CALL ICC_Select_File(int32_t icdev, int32_t file_id, unsigned char* response);
VEXA_API int16_t VEXA_CALL ICC_Get_Challenge(int32_t icdev, int32_t len, unsigned char* random);
VEXA_API int16_t VEXA_CALL ICC_External_Auth(int32_t icdev, int32_t key_id,
                                             const unsigned char* data);
VEXA_API int16_t VEXA_CALL ICC_Verify(int32_t icdev, int32_t key_id, int32_t len,
                                      const unsigned char* pin);
VEXA_API int16_t VEXA_CALL ICC_Read_Bin(int32_t icdev, int32_t offset, int32_t len,
                                        unsigned char* buffer);
VEXA_API int16_t VEXA_CALL ICC_Write_Bin(int32_t icdev, int32_t offset, int32_t len,
                                         const unsigned char* data);
VEXA_API int16_t VEXA_CALL ICC_Internal_Auth(int32_t icdev, int32_t key_id, int32_t len,
                                             const unsigned char* data, unsigned char* response);

#ifdef __cplusplus
}
#endif

#endif /* VEXA_H */

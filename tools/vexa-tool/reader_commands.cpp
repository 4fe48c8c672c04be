// SPDX-License-Identifier: MIT
// Commands about the reader itself and card type selection.
#include <cstdio>
#include <map>

#include "tools/vexa-tool/commands_common.h"
#include "tools/vexa-tool/platform.h"
#include "tools/vexa-tool/text.h"
#include "vexa.h"

namespace tool {

namespace {

const std::map<std::string, int>& TypeNames() {
    static const std::map<std::string, int> names = {
        {"sle4428", VEXA_TYPE_SLE4428}, {"sle4442", VEXA_TYPE_SLE4442}, {"24c", VEXA_TYPE_24C},
        {"45db041", VEXA_TYPE_45DB041}, {"24c64", VEXA_TYPE_24C64},     {"cpu", VEXA_TYPE_CPU},
        {"sam", VEXA_TYPE_SAM1},
    };
    return names;
}

std::vector<VexaReaderInfo> AttachedReaders() {
    std::vector<VexaReaderInfo> readers;
    // Readers may come between the two calls: ask until the array was long enough.
    for (int n = IC_ListReaders(nullptr, 0); n > static_cast<int>(readers.size());) {
        readers.resize(static_cast<std::size_t>(n));
        n = IC_ListReaders(readers.data(), static_cast<std::int16_t>(n));
        if (n < static_cast<int>(readers.size())) readers.resize(static_cast<std::size_t>(n));
    }
    return readers;
}

int List(Session&, const Args&) {
    const auto readers = AttachedReaders();
    if (readers.empty()) std::fputs("no reader attached\n", stderr);
    const auto shown = [](const char* text) { return *text ? text : "-"; };
    for (std::size_t i = 0; i < readers.size(); ++i) {
        const VexaReaderInfo& r = readers[i];
        std::printf("%zu\t%s\t%s\t%s\n", i + 1, r.path, shown(r.serial), shown(r.location));
    }
    return 0;
}

int Status(Session& s, const Args&) {
    const int st = IC_Status(s.icdev);
    if (st == 0) std::puts("card present");
    if (st == 1) std::puts("no card");
    return st == 1 ? 0 : st;
}

int Version(Session& s, const Args&) {
    char text[512] = {};
    const int st = IC_ReadVer(s.icdev, text);
    if (st == 0) std::printf("reader version %s\n", text);
    return st;
}

int Type(Session& s, const Args& a) {
    const int code = CardTypeCode(a[0]);
    const int st = IC_InitType(s.icdev, code);
    if (st == 0) s.card_type = code;
    return st;
}

int LastError(Session&, const Args&) {
    char text[32] = {};
    IC_GetLastError(text);
    std::printf("%s\n", GbkToUtf8(text).c_str());
    return 0;
}

int Down(Session& s, const Args&) {
    return IC_Down(s.icdev);
}

int Detect(Session& s, const Args&) {
    static const std::map<int, const char*> found = {
        {VEXA_FOUND_SLE4442, "SLE4442"},      {VEXA_FOUND_SLE4428, "SLE4428"},
        {VEXA_FOUND_45DB041, "45DB041"},      {VEXA_FOUND_CPU_T0, "CPU card, T=0"},
        {VEXA_FOUND_CPU_T1, "CPU card, T=1"}, {VEXA_FOUND_24C01, "24C01"},
        {VEXA_FOUND_24C02, "24C02"},          {VEXA_FOUND_24C04, "24C04"},
        {VEXA_FOUND_24C08, "24C08"},          {VEXA_FOUND_24C16, "24C16"},
        {VEXA_FOUND_24C64, "24C64"},
    };
    const int result = IC_CheckCard(s.icdev);
    const auto it = found.find(result);
    if (it == found.end()) return result;
    std::printf("%s (detection result %d)\n", it->second, result);
    return 0;
}

int DeviceRead(Session& s, const Args& a) {
    const long offset = Number(a[0]);
    return ReadAndDump(offset, a[1], [&](int32_t n, std::uint8_t* out) {
        return IC_ReadDevice(s.icdev, offset, n, out);
    });
}

int DeviceWrite(Session& s, const Args& a) {
    const auto data = Bytes(a[1]);
    return IC_WriteDevice(s.icdev, Number(a[0]), static_cast<int32_t>(data.size()), data.data());
}

}  // namespace

int CardTypeCode(const std::string& name) {
    const auto it = TypeNames().find(name);
    if (it != TypeNames().end()) return it->second;
    const long v = Number(name);
    if (v < 0 || v > 255) throw UsageError("unknown card type: " + name);
    return static_cast<int>(v);
}

void AddReaderCommands(std::vector<Command>& out) {
    out.insert(
        out.end(),
        {
            {"list", 0, "list", "attached readers: number, path, serial number, USB location", List,
             false},
            {"status", 0, "status", "is a card in the slot?", Status},
            {"version", 0, "version", "the reader's version", Version},
            {"type", 1, "type NAME|CODE",
             "select the card family: sle4442 sle4428 24c 24c64 45db041 cpu sam, or a code", Type},
            {"error", 0, "error", "message of the last status", LastError},
            {"down", 0, "down", "power the card down", Down},
            {"detect", 0, "detect", "find out which card is inserted (selects its family)", Detect},
            {"device-read", 2, "device-read OFFSET LENGTH", "read the reader's own memory",
             DeviceRead},
            {"device-write", 2, "device-write OFFSET HEX", "write the reader's own memory",
             DeviceWrite},
        });
}

}  // namespace tool

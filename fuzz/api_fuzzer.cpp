// SPDX-License-Identifier: MIT
// Every entry point with hostile integers (and null buffers where a length
// says how much there is) against the simulated reader with any card. An
// input is
//
//   call    which call (modulo their number)
//   card    which simulated card is in the slot (past the last: none)
//   flags   bit 0: null buffers; bit 1: a hostile device number as well;
//           bit 2: a card type selected first, bits 3-5 naming it
//   slots   four integers, each a byte naming an edge value, or (bytes past
//           the edge table) four more bytes taken as the integer itself
#include <cstdint>
#include <limits>

#include "fuzz/answers_driver.h"
#include "fuzz/fuzz_input.h"
#include "sim/card_factory.h"
#include "vexa.h"
#include "vexa/link/library_state.h"

namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

// Zero, signs, the 8- and 16-bit wrap points, and both sides of every work
// area and device-number edge the library has.
constexpr std::int32_t kEdges[] = {
    0,       1,       -1,    2,     3,     4,     5,     6,     7,     31,    32,     33,
    34,      79,      80,    99,    100,   127,   128,   129,   139,   140,   141,    179,
    180,     199,     200,   245,   246,   247,   248,   249,   250,   251,   252,    254,
    255,     256,     257,   279,   280,   299,   300,   301,   510,   511,   512,    1020,
    1021,    1022,    1023,  1024,  1025,  1026,  2046,  2047,  2048,  2049,  4095,   4096,
    8191,    8192,    10239, 10240, 10241, 32767, 32768, 65535, 65536, 65537, -32768, -32769,
    0x10080, 0x1FFFF, -129,  -128,  -255,  -256,  kMin,  kMax,
};

std::int32_t Slot(fuzz::FuzzInput& input) {
    const std::uint8_t pick = input.Byte();
    if (pick < std::size(kEdges)) return kEdges[pick];
    return static_cast<std::int32_t>(input.Long());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::vector<const fuzz::Call*> calls =
        fuzz::CallsOf(fuzz::kDevice | fuzz::kCpu | fuzz::kMemory | fuzz::kDetection);
    fuzz::FuzzInput input(data, size);
    const fuzz::Call& call = *calls[input.Byte() % calls.size()];
    const auto cards = sim::CardNames();
    const std::size_t card = input.Byte() % (cards.size() + 1);
    const std::uint8_t flags = input.Byte();
    fuzz::CallArgs args;
    args.null_buffers = flags & 1;
    args.a = Slot(input);
    args.b = Slot(input);
    args.c = Slot(input);
    args.d = Slot(input);

    sim::SimHost host;
    sim::SimReader& reader = host.AddReader();
    if (card < cards.size()) reader.Insert(sim::MakeCard(cards[card]));
    // Setup bits 1-3 name the card type; the protocol stays T=0.
    const std::uint8_t setup = (flags & 4) ? (flags >> 2) & 0x0E : 0;
    std::int32_t icdev = fuzz::Prepare(host, setup);
    if (flags & 2) icdev = Slot(input);
    call.run(icdev, args);
    fuzz::ReadLastError();
    vexa::ResetLibraryState();
    return 0;
}

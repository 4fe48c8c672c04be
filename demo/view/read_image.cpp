// SPDX-License-Identifier: MIT
// Loading the card into the document.
#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "demo/port/library_imports.h"
#include "demo/res/strings.h"
#include "demo/view/card_types.h"
#include "demo/view/demo_view.h"

namespace demo {

namespace {
constexpr int kSle4428Pages = 4;
}  // namespace

int CDemoView::ReadImage(int port, int card_type) {
    if (port < 0 || card_type <= 0) {
        if (m_bEditMode) {
            m_bEditMode = 0;
            m_nCaretPane = 0;
            ui_.HideCaret();
        }
        return 1;
    }
    WaitCursor wait(ui_);
    SetCapacity(card_type);
    DrawCaretInfo();
    std::vector<std::uint8_t> buffer;
    try {
        buffer.resize(static_cast<std::size_t>(m_nCardSize) + 1);
    } catch (const std::bad_alloc&) {
        wait.End();
        ui_.MessageBox("Memory Error!", text::kMessage, MsgButtons::kOk, MsgIcon::kInformation);
        ui_.PostQuit();
        return 1;
    }
    const int status = Lib().IC_Status(m_icdev);
    if (status != 0) {
        m_nReadState = status == 1 ? read_state::kNoCard : read_state::kStatusFailed;
        return 1;
    }
    const ReadResult read = ReadCardBytes(card_type, buffer.data());
    if (read != ReadResult::kOk) {
        m_nReadState = read_state::kReadFailed;
        if (read == ReadResult::kFailed) {
            wait.End();
            ui_.MessageBox("Read Error!", text::kMessage, MsgButtons::kOk, MsgIcon::kInformation);
        }
        return 1;
    }
    doc_.StoreImage(std::span(buffer.data(), static_cast<std::size_t>(m_nCardSize)));
    m_nReadState = read_state::kImageShown;
    return 0;
}

// Reads m_nCardSize bytes of the card into `buffer`; a failed protection
// read is not reported to the operator. The library answers a command the
// reader refused with a positive status, so every nonzero result is a
// failure.
CDemoView::ReadResult CDemoView::ReadCardBytes(int card_type, std::uint8_t* buffer) {
    const LibraryImports& lib = Lib();
    const int size = m_nCardSize;
    int status = 0;
    switch (card_type) {
        case card::kSle4428:
            return ReadSle4428(buffer);
        case card::kSle4442:
            if (lib.IC_Read(m_icdev, 0, size, buffer) != 0) return ReadResult::kFailed;
            if (lib.IC_ReadProtection(m_icdev, 0, 32, m_ProtState4442.data()) != 0) {
                return ReadResult::kFailedQuietly;
            }
            m_ProtMark4442 = m_ProtState4442;
            return ReadResult::kOk;
        case card::k45D041:
            status = lib.IC_DirectRead(m_icdev, m_nZone, 0, size, buffer);
            break;
        case card::kSsf1101:
            status = lib.IC_Read_1101(m_icdev, m_nSsfPage, 0, size, buffer);
            break;
        case card::kAt88sc1608:
            status = m_nZone >= kConfigZone ? lib.IC_ReadConfigZone(m_icdev, 0, size, buffer)
                                            : lib.IC_ReadUserZone(m_icdev, 0, size, buffer);
            break;
        default:
            status = lib.IC_Read(m_icdev, 0, size, buffer);
            break;
    }
    return status == 0 ? ReadResult::kOk : ReadResult::kFailed;
}

// The four pages with their protection flags; the image is the data half of
// each page.
CDemoView::ReadResult CDemoView::ReadSle4428(std::uint8_t* buffer) {
    for (int page = 0; page < kSle4428Pages; ++page) {
        if (Lib().IC_ReadWithProtection(m_icdev, page * 256, 256, m_Pages4428[page]) != 0) {
            return ReadResult::kFailedQuietly;
        }
    }
    std::memcpy(m_Pages4428Saved, m_Pages4428, sizeof m_Pages4428);
    for (int page = 0; page * 256 < m_nCardSize && page < kSle4428Pages; ++page) {
        std::copy_n(m_Pages4428[page], std::min(256, m_nCardSize - page * 256),
                    buffer + page * 256);
    }
    return ReadResult::kOk;
}

}  // namespace demo

// SPDX-License-Identifier: MIT
// Writing the modified rows and the protection marks back to the card.
#include <array>
#include <vector>

#include "demo/port/library_imports.h"
#include "demo/res/strings.h"
#include "demo/view/card_types.h"
#include "demo/view/demo_view.h"

namespace demo {

namespace {

constexpr int kPageBufferSize = 1024;
constexpr int kFlashPageSize = 264;
constexpr int kSsfPageSize = 1024;
// The AT88SC1604's last row holds only the card's last 7 bytes.
constexpr int kAt88sc1604LastRow = 2000;
constexpr int kAt88sc1604LastRowLength = 7;
constexpr int kSle4428Pages = 4;
constexpr int kSle4442ProtectedBytes = 32;

void Beeps(UiPort& ui, int count) {
    for (int i = 0; i < count; ++i) ui.Beep();
}

// The families whose failed row write shows the card again at once.
bool RereadsOnFailure(int card_type) {
    return card_type == card::kSle4442 || card_type == card::kAt88sc102 ||
           card_type == card::k24C01A;
}

}  // namespace

// A write that ends with a message keeps the list of modified rows, so that
// they can be written again.
void CDemoView::WriteBack() {
    std::array<std::uint8_t, kPageBufferSize> page_buffer;
    for (int i = 0; i < kPageBufferSize; ++i) page_buffer[i] = doc_.Byte(i);
    bool failed = false;
    if (!WriteRows(page_buffer.data(), failed)) return;
    ui_.Beep();
    if (failed && ui_.MessageBox("Write Error,Read Card Again?", text::kMessage, MsgButtons::kYesNo,
                                 MsgIcon::kStop) == MsgAnswer::kYes) {
        ReadImage(m_nCommPort, m_nCardType);
        ui_.Repaint();
    }
    if (!WriteProtection()) return;
    doc_.ForgetModifiedRows();
    DrawCaretInfo();
}

// False when the write ended early; `failed` tells that a row was refused.
bool CDemoView::WriteRows(const std::uint8_t* page_buffer, bool& failed) {
    const bool whole_page = m_nCardType == card::k45D041 || m_nCardType == card::kSsf1101;
    const bool atmel_row = m_nCardType == card::kAt88sc1608 || m_nCardType == card::kAt88sc1604A;
    for (int n = 1; n <= doc_.m_nModifiedRows; ++n) {
        const int row_offset = doc_.m_ModifiedRows[n];
        // A row beyond the card would wrap round onto its first bytes.
        if (row_offset >= m_nCardSize) continue;
        std::array<std::uint8_t, screen::kBytesPerRow> row;
        for (int i = 0; i < screen::kBytesPerRow; ++i) row[i] = doc_.Byte(row_offset + i);
        if (whole_page) {
            if (WritePage(page_buffer) == 0) return true;
            if (!RereadAfterFailure()) return false;
            // and the row goes as any other
        } else if (atmel_row) {
            if (!WriteAtmelRow(row_offset, row.data())) failed = true;
            continue;
        }
        if (Lib().IC_Write(m_icdev, row_offset, screen::kBytesPerRow, row.data()) == 0) {
            ui_.Beep();
            ShowWrittenRow(row_offset, screen::kBytesPerRow);
        } else if (RereadsOnFailure(m_nCardType)) {
            if (!RereadAfterFailure()) return false;
        } else {
            failed = true;
        }
    }
    return true;
}

// The 45DB041 and SSF1101 write the page shown, whole; the status of the
// write.
int CDemoView::WritePage(const std::uint8_t* page_buffer) {
    const int status = m_nCardType == card::k45D041
                           ? Lib().IC_DirectWrite(m_icdev, m_nZone, 0, kFlashPageSize, page_buffer)
                           : Lib().IC_Write_1101(m_icdev, m_nSsfPage, 0, kSsfPageSize, page_buffer);
    if (status != 0) return status;
    Beeps(ui_, 4);
    if (m_nCardType == card::k45D041) ReadBackFlashPage();
    return 0;
}

// The AT88SC1608 zone shown and the AT88SC1604; false when refused.
bool CDemoView::WriteAtmelRow(int row_offset, const std::uint8_t* row) {
    const LibraryImports& lib = Lib();
    int length = screen::kBytesPerRow;
    int status = 0;
    if (m_nCardType == card::kAt88sc1604A) {
        if (row_offset == kAt88sc1604LastRow) length = kAt88sc1604LastRowLength;
        status = lib.IC_Write(m_icdev, row_offset, length, row);
    } else if (m_nZone == kConfigZone) {
        status = lib.IC_WriteConfigZone(m_icdev, row_offset, length, row);
    } else {
        status = lib.IC_WriteUserZone(m_icdev, row_offset, length, row);
    }
    if (status != 0) return false;
    Beeps(ui_, 2);
    ShowWrittenRow(row_offset, length);
    return true;
}

bool CDemoView::RereadAfterFailure() {
    if (ReadImage(m_nCommPort, m_nCardType) != 0) {
        ui_.MessageBox("No Card insert !", text::kMessage, MsgButtons::kOk, MsgIcon::kInformation);
        return false;
    }
    ui_.Repaint();
    return true;
}

// The card holds what the library wrote and read back: the row shows it in
// the digits a read gives, whatever case was typed.
void CDemoView::ShowWrittenRow(int row_offset, int length) {
    BuildAt88sc1608Layout();
    const CardLayout* layout = m_Layouts.Find(m_nCardType);
    for (int offset = row_offset; offset < row_offset + length; ++offset) {
        doc_.SetByte(offset, doc_.Byte(offset));
        if (offset / screen::kBytesPerPage == m_nPage && offset < m_nCardSize) {
            DrawByte(offset, ByteColour(layout, offset));
        }
    }
}

// A flash page write is not read back by the library: the page shows what
// the card holds now.
void CDemoView::ReadBackFlashPage() {
    std::vector<std::uint8_t> page(static_cast<std::size_t>(m_nCardSize));
    if (Lib().IC_DirectRead(m_icdev, m_nZone, 0, m_nCardSize, page.data()) != 0) return;
    doc_.StoreImage(page);
    DrawPage();
}

bool CDemoView::WriteProtection() {
    const LibraryImports& lib = Lib();
    const auto fail = [this] {
        ui_.MessageBox("Protect Fail!", text::kMessage, MsgButtons::kOk, MsgIcon::kInformation);
        return false;
    };
    if (m_nCardType == card::kSle4428) {
        for (int page = 0; page < kSle4428Pages; ++page) {
            for (int i = 0; i < screen::kBytesPerPage; ++i) {
                std::uint8_t& saved = m_Pages4428Saved[page][screen::kBytesPerPage + i];
                if (saved == 0 || m_Pages4428[page][screen::kBytesPerPage + i] != 0) continue;
                const int offset = page * screen::kBytesPerPage + i;
                const std::uint8_t byte = doc_.Byte(offset);
                if (lib.IC_WriteWithProtection(m_icdev, offset, 1, &byte) != 0) return fail();
                saved = 0;
                ui_.Beep();
            }
        }
    } else if (m_nCardType == card::kSle4442) {
        for (int i = 0; i < kSle4442ProtectedBytes; ++i) {
            if (m_ProtMark4442[i] == 0 || m_ProtState4442[i] != 0) continue;
            const std::uint8_t byte = doc_.Byte(i);
            if (lib.IC_WriteProtection(m_icdev, i, 1, &byte) != 0) return fail();
            m_ProtMark4442[i] = 0;
            ui_.Beep();
        }
    }
    return true;
}

}  // namespace demo

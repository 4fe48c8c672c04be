// SPDX-License-Identifier: MIT
// The view: the program's whole working state (reader, card type, page,
// caret, protection data) and the drawing of the card memory view. The card
// commands in demo/commands work on it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "demo/port/screen_layout.h"
#include "demo/port/ui_port.h"
#include "demo/view/card_layouts.h"
#include "demo/view/caret_moves.h"
#include "demo/view/demo_doc.h"
#include "demo/view/usb_readers.h"
#include "demo/view/view_state.h"

namespace demo {

// Tests set up and inspect the state directly (tests/demo).
struct ViewStateAccess;

class CDemoView : private ViewState {
  public:
    CDemoView(UiPort& ui, CDemoDoc& doc);

    UiPort& Ui() { return ui_; }
    CDemoDoc* GetDocument() { return &doc_; }

    // ---- Window life ----
    void OnCreate();
    void OnDestroy();
    void OnDraw();
    void OnLButtonDown(int x, int y);
    void OnKeyDown(Key key);
    void OnChar(char ch);

    // ---- Editing ----
    // "Write Card": shows the caret over the image with the editing hints.
    void EnterEditMode();
    // Ends edit mode quietly (another command takes over): the caret and the
    // key hint of status line 3 go.
    void EndEditMode();
    // An image read from the card is on screen (a failed read or a new card
    // type leaves none, whatever was drawn before).
    bool ImageLoaded() const { return m_bImageShown && m_nReadState == read_state::kImageShown; }

    // ---- Operations the commands share ----
    // Loads the card into the document; 0 when an image was loaded.
    int ReadImage(int port, int card_type);
    // Replaces the menu bar by the card family's, ends edit mode and shows
    // no image any more.
    void SwitchMenu(int card_type);
    void DrawTypeName(int card_type);
    // Sets capacity, page count and page 0, and draws the page count.
    void SetCapacity(int card_type);
    void DrawPageCount();
    void DrawPage();
    void DrawCaretInfo();
    void DrawPortLabel();
    void BlankDump();
    void BuildAt88sc1608Layout() { m_Layouts.BuildAt88sc1608(m_nZone); }
    // Status lines 1 to 3 of the panel; the view remembers them so that a
    // repaint puts them back.
    void DrawStatus(int line, std::string_view text);
    void EraseStatus(int line);
    void EraseStatusLines();
    void EraseField(screen::Point at, int chars);

    // ---- What the commands read ----
    std::int32_t Device() const { return m_icdev; }
    std::int32_t CommPort() const { return m_nCommPort; }
    std::int32_t CardType() const { return m_nCardType; }
    std::int32_t CpuProtocol() const { return m_nCpuProtocol; }
    std::int32_t ReadState() const { return m_nReadState; }
    std::int32_t Page() const { return m_nPage; }
    std::int32_t Zone() const { return m_nZone; }
    std::int32_t SsfPage() const { return m_nSsfPage; }
    std::int32_t PassSet() const { return m_nPassSet; }
    bool InEditMode() const { return m_bEditMode != 0; }

    // ---- What the commands change ----
    // The card type the commands work on; the image and menu stay.
    void SelectCardType(int card_type) { m_nCardType = card_type; }
    void NoteCpuProtocol(int protocol) { m_nCpuProtocol = protocol; }
    // Opens `port` and works on the reader reached through it (device 0:
    // none). Over USB the reader held before is taken again if it is there.
    void OpenReader(int port);
    // Before a command: a USB reader that stopped answering (pulled out) and
    // is attached again is closed and opened again, as "USB" in "Select
    // Comm" does, so the command reaches it.
    void ReopenIfLost();
    // The image on screen no longer stands for the card: no paging or
    // editing over it until the next read.
    void ForgetImage() { m_bImageShown = 0; }
    void MarkImageShown() { m_bImageShown = 1; }
    // Nothing read since: a repaint shows no image.
    void ForgetReadState() { m_nReadState = read_state::kNoImage; }
    void SelectZone(int zone) { m_nZone = zone; }
    void SelectSsfPage(int page) { m_nSsfPage = page; }
    void RememberPassSet(int set) { m_nPassSet = set; }
    void CaretToHexPane() { m_nCaretPane = 0; }

  private:
    friend struct ViewStateAccess;

    void ConnectReader();
    enum class PortOutcome { kKept, kTryNext, kGiveUp };
    PortOutcome TryPort(int port);
    Rgb ByteColour(const CardLayout* layout, int offset) const;
    enum class ReadResult { kOk, kFailed, kFailedQuietly };
    ReadResult ReadCardBytes(int card_type, std::uint8_t* buffer);
    ReadResult ReadSle4428(std::uint8_t* buffer);
    void RedrawStatusLines();

    // Editing (view_input.cpp, edit_typing.cpp, write_back.cpp, paging.cpp).
    void LeaveEditMode();
    void ClickCaret(int x, int y);
    CaretSpot Spot() const { return SpotAt(m_ptCaret, CaretPane(), m_nPage); }
    Pane CaretPane() const { return m_nCaretPane == 0 ? Pane::kHex : Pane::kChar; }
    CardExtent Extent() const { return {m_nCardSize, m_nPageCount}; }
    // Puts the caret on `spot`, drawing its page when that changes.
    void GoTo(const CaretSpot& spot, Pane pane);
    void HandleEditKey(Key key);
    void TypeHexDigit(char digit);
    void TypeCharacter(char ch);
    // Both cells of a byte of the current page.
    void DrawByte(int offset, Rgb colour);
    Rgb CharEntryColour(int offset) const;
    void ToggleProtectionMark();
    void WriteBack();
    bool WriteRows(const std::uint8_t* page_buffer, bool& failed);
    int WritePage(const std::uint8_t* page_buffer);
    bool WriteAtmelRow(int row_offset, const std::uint8_t* row);
    bool WriteProtection();
    bool RereadAfterFailure();
    void ShowWrittenRow(int row_offset, int length);
    void ReadBackFlashPage();
    void PageUp();
    void PageDown();
    void ShowErrorCounter();
    void ShowPage(int page, bool caret_to_origin);
    bool ProtectedMemoryCard() const;

    // The error counter covers the dump: nothing can be edited under it.
    bool counter_shown_ = false;
    UsbReader usb_reader_;
    // The library's count of unreachable-reader answers when the reader was
    // last opened: more since means it was lost.
    std::uint32_t unreachable_at_open_ = 0;

    UiPort& ui_;
    CDemoDoc& doc_;
    struct StatusText {
        std::string text;
        bool shown = false;
    };
    std::array<StatusText, 3> status_;
};

}  // namespace demo

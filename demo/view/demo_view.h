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

namespace demo {

namespace read_state {
constexpr int kAutoTestPending = 100;
constexpr int kNoImage = 50;
constexpr int kNoCard = 1;
constexpr int kImageShown = 2;
constexpr int kStatusFailed = 3;
constexpr int kReadFailed = 4;
}  // namespace read_state

constexpr int kUsbPort = 100;

class CDemoView {
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

    // ---- State ----
    std::int32_t m_icdev = 0;
    std::int32_t m_nCommPort = -1;
    std::int32_t m_nCardType = -1;
    std::int32_t m_nCpuProtocol = -1;
    std::int32_t m_nReadState = read_state::kAutoTestPending;
    std::int32_t m_nCardSize = 0;
    std::int32_t m_nPageCount = 0;
    std::int32_t m_nPage = 0;
    std::int32_t m_nZone = 0;
    std::int32_t m_nSsfPage = 0;
    std::int32_t m_nPassSet = 0;  // secure-memory password set last chosen
    std::int32_t m_bEditMode = 0;
    std::int32_t m_nCaretPane = 0;
    screen::Point m_ptCaret{screen::kHexLeft, screen::kDumpTop};
    std::int32_t m_bImageShown = 0;
    // Row and column of the last click that found them (clicks beside the
    // panes keep them).
    std::int32_t m_nClickRow = 0;
    std::int32_t m_nClickColumn = 0;
    std::int32_t m_nCharWidth = 0;
    std::int32_t m_nLineHeight = 0;
    std::array<std::uint8_t, 32> m_ProtState4442{};
    std::array<std::uint8_t, 32> m_ProtMark4442{};
    std::uint8_t m_Pages4428[4][512] = {};
    std::uint8_t m_Pages4428Saved[4][512] = {};
    LayoutTable m_Layouts;
    Size m_BackgroundSize;

  private:
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

    UiPort& ui_;
    CDemoDoc& doc_;
    struct StatusText {
        std::string text;
        bool shown = false;
    };
    std::array<StatusText, 3> status_;
};

}  // namespace demo

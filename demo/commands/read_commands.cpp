// Reading the card into the view, editing it, powering it down and ejecting
// it.
#include <algorithm>
#include <string>

#include "demo/commands/handlers.h"
#include "demo/dialogs/page_dialog.h"
#include "demo/port/library_imports.h"
#include "demo/res/strings.h"
#include "demo/view/card_types.h"
#include "demo/view/demo_view.h"

namespace demo {

namespace {

constexpr int kLast45D041Page = 2047;
constexpr int kLastSsf1101Page = 511;

// Asks for a page, starting from `target`, and stores it there, at most
// `last`; false when the operator cancels.
bool AskPage(CDemoView& view, std::int32_t& target, int last, std::string range_text) {
    CPageDlg dialog(view.Ui(), target, std::move(range_text));
    if (!view.Ui().RunModal(dialog)) return false;
    target = std::min(dialog.m_nPage, last);
    return true;
}

void Notify(CDemoView& view, const char* text) {
    view.Ui().MessageBox(text, text::kMessage, MsgButtons::kOk, MsgIcon::kInformation);
}

void SelectForPagedRead(CDemoView& view, int library_code) {
    if (Lib().IC_InitType(view.m_icdev, library_code) != 0) Notify(view, "init card is fail.!");
}

// Asks for the card-side page or zone of the families that have them;
// false when the operator cancels.
bool ChoosePage(CDemoView& view) {
    switch (view.m_nCardType) {
        case card::k45D041:
            SelectForPagedRead(view, LibraryTypeCode(card::k45D041));
            return AskPage(view, view.m_nZone, kLast45D041Page, "(0-2047):");
        case card::kSsf1101:
            SelectForPagedRead(view, LibraryTypeCode(card::kSsf1101));
            return AskPage(view, view.m_nSsfPage, kLastSsf1101Page, "(0-511):");
        case card::kAt88sc1608:
            if (!AskPage(view, view.m_nZone, kConfigZone,
                         "(0-8)8 control area\n     0-7data area")) {
                return false;
            }
            // The configuration zone needs no selection.
            if (view.m_nZone < kConfigZone &&
                Lib().IC_SetUserZone(view.m_icdev, view.m_nZone) != 0) {
                Notify(view, "IC_SetUserZone is fail.!");
            }
            return true;
        default:
            return true;
    }
}

void ReportRead(CDemoView& view, int read_state) {
    view.EraseStatusLines();
    switch (read_state) {
        case read_state::kImageShown:
            view.DrawStatus(2, "Read Succeed");
            view.m_bImageShown = 1;
            view.Ui().Repaint();
            break;
        case read_state::kNoCard:
            view.DrawStatus(1, "Read Error");
            view.DrawStatus(2, "No Card Insert");
            break;
        case read_state::kStatusFailed:
            view.DrawStatus(1, "Read Error");
            view.DrawStatus(2, "Unknow Comm");
            break;
        default:
            view.DrawStatus(1, "Read Error");
            view.DrawStatus(2, "Unknow Error");
            break;
    }
}

}  // namespace

void OnReadCard(CDemoView& view, int /*id*/) {
    if (view.m_bEditMode) view.EndEditMode();
    if (!ChoosePage(view)) return;
    view.DrawStatus(1, "Reading....");
    view.DrawStatus(2, " Waiting........");
    view.m_nCaretPane = 0;
    const bool loaded = view.ReadImage(view.m_nCommPort, view.m_nCardType) == 0;
    if (loaded) view.GetDocument()->ForgetModifiedRows();
    // A read refused for want of a card type leaves the state of the last
    // read behind; that must not pass for a new image.
    const bool stale = !loaded && view.m_nReadState == read_state::kImageShown;
    ReportRead(view, stale ? read_state::kReadFailed : view.m_nReadState);
    for (int i = 0; i < 4; ++i) view.Ui().Beep();
}

void OnWriteCard(CDemoView& view, int /*id*/) {
    view.EnterEditMode();
}

void OnPowerDown(CDemoView& view, int /*id*/) {
    if (Lib().IC_Down(view.m_icdev) != 0) Notify(view, "PowerDown Error.");
}

void OnEject(CDemoView& view, int /*id*/) {
    Lib().IC_Pushout(view.m_icdev);
}

}  // namespace demo

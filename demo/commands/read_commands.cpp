// SPDX-License-Identifier: MIT
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

// Asks for a page, starting from `from`, and keeps it through `keep`, at
// most `last`; false when the operator cancels.
bool AskPage(CDemoView& view, int from, void (CDemoView::*keep)(int), int last,
             std::string range_text) {
    CPageDlg dialog(view.Ui(), from, std::move(range_text));
    if (!view.Ui().RunModal(dialog)) return false;
    (view.*keep)(std::min(dialog.m_nPage, last));
    return true;
}

void Notify(CDemoView& view, const char* text) {
    view.Ui().MessageBox(text, text::kMessage, MsgButtons::kOk, MsgIcon::kInformation);
}

void SelectForPagedRead(CDemoView& view, int library_code) {
    if (Lib().IC_InitType(view.Device(), library_code) != 0) Notify(view, "init card is fail.!");
}

// Asks for the card-side page or zone of the families that have them;
// false when the operator cancels.
bool ChoosePage(CDemoView& view) {
    switch (view.CardType()) {
        case card::k45D041:
            SelectForPagedRead(view, LibraryTypeCode(card::k45D041));
            return AskPage(view, view.Zone(), &CDemoView::SelectZone, kLast45D041Page, "(0-2047):");
        case card::kSsf1101:
            SelectForPagedRead(view, LibraryTypeCode(card::kSsf1101));
            return AskPage(view, view.SsfPage(), &CDemoView::SelectSsfPage, kLastSsf1101Page,
                           "(0-511):");
        case card::kAt88sc1608:
            if (!AskPage(view, view.Zone(), &CDemoView::SelectZone, kConfigZone,
                         "(0-8)8 control area\n     0-7data area")) {
                return false;
            }
            // The configuration zone needs no selection.
            if (view.Zone() < kConfigZone &&
                Lib().IC_SetUserZone(view.Device(), view.Zone()) != 0) {
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
            view.MarkImageShown();
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
    if (view.InEditMode()) view.EndEditMode();
    if (!ChoosePage(view)) return;
    view.DrawStatus(1, "Reading....");
    view.DrawStatus(2, " Waiting........");
    view.CaretToHexPane();
    const bool loaded = view.ReadImage(view.CommPort(), view.CardType()) == 0;
    if (loaded) view.GetDocument()->ForgetModifiedRows();
    // A read refused for want of a card type leaves the state of the last
    // read behind; that must not pass for a new image.
    const bool stale = !loaded && view.ReadState() == read_state::kImageShown;
    ReportRead(view, stale ? read_state::kReadFailed : view.ReadState());
    for (int i = 0; i < 4; ++i) view.Ui().Beep();
}

void OnWriteCard(CDemoView& view, int /*id*/) {
    view.EnterEditMode();
}

void OnPowerDown(CDemoView& view, int /*id*/) {
    if (Lib().IC_Down(view.Device()) != 0) Notify(view, "PowerDown Error.");
}

void OnEject(CDemoView& view, int /*id*/) {
    Lib().IC_Pushout(view.Device());
}

}  // namespace demo

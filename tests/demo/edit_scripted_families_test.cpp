// SPDX-License-Identifier: MIT
// Write-back of the families this reader's library does not serve (SSF1101,
// AT88SC1608, AT88SC1604): their calls are scripted through the imports
// table, since no simulated card answers them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "demo/res/dialog_templates.h"
#include "tests/demo/edit_support.h"
#include "tests/demo/library_log.h"

namespace demo_test {
namespace {

// What a scripted entry point was given, and what it answers.
struct Call {
    std::string name;
    int page = -1;
    int offset = 0;
    int length = 0;
    std::vector<std::uint8_t> data;
};
std::vector<Call> g_calls;
int g_write_status = 0;

Call& Log(const char* name) {
    LibraryLog::active->calls.push_back(name);
    Call& call = g_calls.emplace_back();
    call.name = name;
    return call;
}

// Every byte reads as its offset's low bits, so that writes can be told apart.
std::int16_t ScriptedRead(unsigned char* out, int length) {
    for (int i = 0; i < length; ++i) out[i] = static_cast<unsigned char>(i);
    return 0;
}

std::int16_t Recorded(Call& call, int offset, int length, const unsigned char* data) {
    call.offset = offset;
    call.length = length;
    call.data.assign(data, data + length);
    return static_cast<std::int16_t>(g_write_status);
}

// The library and the reader answer as if such a card were inserted.
class ScriptedCard {
  public:
    ScriptedCard() {
        g_calls.clear();
        g_write_status = 0;
        log.Fail("IC_InitType", 0);
        log.Fail("IC_Status", 0);
        log.Fail("IC_SetUserZone", 0);
        demo::LibraryImports& lib = demo::Lib();
        lib.IC_Read_1101 = [](int32_t, int32_t, int32_t, int32_t length, unsigned char* out) {
            Log("IC_Read_1101");
            return ScriptedRead(out, length);
        };
        lib.IC_Write_1101 = [](int32_t, int32_t page, int32_t offset, int32_t length,
                               const unsigned char* data) {
            Call& call = Log("IC_Write_1101");
            call.page = page;
            return Recorded(call, offset, length, data);
        };
        lib.IC_ReadUserZone = [](int32_t, int32_t, int32_t length, unsigned char* out) {
            Log("IC_ReadUserZone");
            return ScriptedRead(out, length);
        };
        lib.IC_ReadConfigZone = [](int32_t, int32_t, int32_t length, unsigned char* out) {
            Log("IC_ReadConfigZone");
            return ScriptedRead(out, length);
        };
        lib.IC_WriteUserZone = [](int32_t, int32_t offset, int32_t length,
                                  const unsigned char* data) {
            return Recorded(Log("IC_WriteUserZone"), offset, length, data);
        };
        lib.IC_WriteConfigZone = [](int32_t, int32_t offset, int32_t length,
                                    const unsigned char* data) {
            return Recorded(Log("IC_WriteConfigZone"), offset, length, data);
        };
        lib.IC_Read = [](int32_t, int32_t, int32_t length, unsigned char* out) {
            Log("IC_Read");
            return ScriptedRead(out, length);
        };
        lib.IC_Write = [](int32_t, int32_t offset, int32_t length, const unsigned char* data) {
            return Recorded(Log("IC_Write"), offset, length, data);
        };
    }

    LibraryLog log;
};

// Selects the family, reads it (page or zone `page` where the dialog asks)
// and enters edit mode.
void ReadAndEdit(DemoHarness& demo, int select, const char* page = nullptr) {
    demo.Start();
    demo.Command(select);
    if (page) demo.ui.ScriptDialog({{{{demo::page_dlg::kPage, page}}}});
    demo.Command(demo::cmd::kReadCard);
    demo.Command(demo::cmd::kWriteCard);
    ASSERT_EQ(demo.state().m_bEditMode, 1);
    g_calls.clear();
}

TEST(ScriptedWriteBackTest, Ssf1101WritesItsWholePageOnce) {
    DemoHarness demo("none");
    ScriptedCard card;
    ReadAndEdit(demo, demo::cmd::kSsf1101, "7");
    Type(demo, "ab");
    Press(demo, Key::kPageDown, 3);
    Type(demo, "cd");  // byte 769: the caret keeps its place on the page
    const int beeps = demo.ui.beeps;
    Press(demo, Key::kF5);
    ASSERT_EQ(g_calls.size(), 1u);
    EXPECT_EQ(g_calls[0].name, "IC_Write_1101");
    EXPECT_EQ(g_calls[0].page, 7);
    EXPECT_EQ(g_calls[0].offset, 0);
    ASSERT_EQ(g_calls[0].length, 1024);
    EXPECT_EQ(g_calls[0].data[0], 0xAB);
    EXPECT_EQ(g_calls[0].data[769], 0xCD);
    EXPECT_EQ(g_calls[0].data[1], 1);
    EXPECT_EQ(demo.ui.beeps, beeps + 4 + 1);
    EXPECT_TRUE(demo.ui.messages.empty());
    EXPECT_EQ(demo.doc().m_nModifiedRows, 0);
}

TEST(ScriptedWriteBackTest, Ssf1101PageRefusedIsReadAgainAndTheRowTriedAsAnyOther) {
    DemoHarness demo("none");
    ScriptedCard card;
    ReadAndEdit(demo, demo::cmd::kSsf1101, "2");
    Type(demo, "ab");
    g_write_status = VEXA_ERR_NOT_SUPPORTED;
    Press(demo, Key::kF5);
    ASSERT_EQ(g_calls.size(), 3u);
    EXPECT_EQ(g_calls[0].name, "IC_Write_1101");
    EXPECT_EQ(g_calls[1].name, "IC_Read_1101");
    EXPECT_EQ(g_calls[2].name, "IC_Write");
    EXPECT_EQ(g_calls[2].length, 16);
    ASSERT_EQ(demo.ui.messages.size(), 1u);
    EXPECT_EQ(demo.ui.messages[0].text, "Write Error,Read Card Again?");
}

TEST(ScriptedWriteBackTest, At88sc1608WritesRowsToTheZoneShown) {
    DemoHarness demo("none");
    ScriptedCard card;
    ReadAndEdit(demo, demo::cmd::kAt88sc1608, "3");
    Press(demo, Key::kDown);
    Type(demo, "12");
    const int beeps = demo.ui.beeps;
    Press(demo, Key::kF5);
    ASSERT_EQ(g_calls.size(), 1u);
    EXPECT_EQ(g_calls[0].name, "IC_WriteUserZone");
    EXPECT_EQ(g_calls[0].offset, 16);
    ASSERT_EQ(g_calls[0].length, 16);
    EXPECT_EQ(g_calls[0].data[0], 0x12);
    EXPECT_EQ(g_calls[0].data[1], 17);
    EXPECT_EQ(demo.ui.beeps, beeps + 2 + 1);

    demo.ui.ScriptDialog({{{{demo::page_dlg::kPage, "8"}}}});
    demo.Command(demo::cmd::kReadCard);
    demo.Command(demo::cmd::kWriteCard);
    g_calls.clear();
    Type(demo, "34");
    Press(demo, Key::kF5);
    ASSERT_EQ(g_calls.size(), 1u);
    EXPECT_EQ(g_calls[0].name, "IC_WriteConfigZone");
    EXPECT_EQ(g_calls[0].offset, 0);
    EXPECT_TRUE(demo.ui.messages.empty());
}

TEST(ScriptedWriteBackTest, At88sc1608RowRefusedAsksToReadAgainAfterAllRows) {
    DemoHarness demo("none");
    ScriptedCard card;
    ReadAndEdit(demo, demo::cmd::kAt88sc1608, "0");
    Type(demo, "12");
    Press(demo, Key::kDown);
    Type(demo, "34");
    g_write_status = VEXA_ERR_NOT_SUPPORTED;
    demo.ui.Answer(MsgAnswer::kYes);
    Press(demo, Key::kF5);
    ASSERT_EQ(g_calls.size(), 3u) << "both rows tried, then the zone read again";
    EXPECT_EQ(g_calls[1].offset, 16);
    EXPECT_EQ(g_calls[2].name, "IC_ReadUserZone");
    ASSERT_EQ(demo.ui.messages.size(), 1u);
    EXPECT_EQ(demo.ui.messages[0].text, "Write Error,Read Card Again?");
    EXPECT_EQ(demo.doc().m_nModifiedRows, 0);
}

TEST(ScriptedWriteBackTest, At88sc1604WritesSevenBytesForItsLastRow) {
    DemoHarness demo("none");
    ScriptedCard card;
    ReadAndEdit(demo, demo::cmd::kAt88sc1604A);
    Type(demo, "99");
    Press(demo, Key::kPageDown, 7);
    Press(demo, Key::kDown, 13);  // byte 2001, in the card's last 7 bytes
    Type(demo, "aa");
    const int beeps = demo.ui.beeps;
    Press(demo, Key::kF5);
    ASSERT_EQ(g_calls.size(), 2u);
    EXPECT_EQ(g_calls[0].offset, 0);
    EXPECT_EQ(g_calls[0].length, 16);
    EXPECT_EQ(g_calls[1].name, "IC_Write");
    EXPECT_EQ(g_calls[1].offset, 2000);
    ASSERT_EQ(g_calls[1].length, 7);
    EXPECT_EQ(g_calls[1].data[1], 0xAA);
    EXPECT_EQ(demo.ui.beeps, beeps + 2 + 2 + 1);
}

TEST(ScriptedWriteBackTest, PagingToTheShortLastPageKeepsTheCaretOnTheCard) {
    DemoHarness demo("none");
    ScriptedCard card;
    ReadAndEdit(demo, demo::cmd::kAt88sc1604A);
    Press(demo, Key::kPageDown, 6);
    Press(demo, Key::kDown, 15);
    Press(demo, Key::kPageDown);  // row 15 of page 8 lies beyond byte 2006
    EXPECT_EQ(CaretOffsetText(demo), "2006");
    Type(demo, "77");
    EXPECT_EQ(demo.doc().m_ModifiedRows[1], 2000);
}

}  // namespace
}  // namespace demo_test

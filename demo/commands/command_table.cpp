// SPDX-License-Identifier: MIT
#include "demo/commands/command_table.h"

#include <algorithm>
#include <iterator>

#include "demo/commands/handlers.h"
#include "demo/res/command_ids.h"
#include "demo/view/demo_view.h"

namespace demo {

namespace {

using Handler = void (*)(CDemoView&, int);

struct CommandRange {
    int first;
    int last;
    Handler handler;
};

constexpr CommandRange kViewCommands[] = {
    {cmd::k24C01A, cmd::k24C04, OnSelectCardType},
    {cmd::k24C16, cmd::kAt88sc102, OnSelectCardType},
    {cmd::k24C08, cmd::k24C64, OnSelectCardType},
    {cmd::kSle4442, cmd::kSle4442, OnSelectCardType},
    {cmd::kSle4428, cmd::kSle4428, OnSelectCardType},
    {cmd::kAt88sc1604A, cmd::kAt88sc1604A, OnSelectCardType},
    {cmd::k45D041, cmd::kAt88sc1604B, OnSelectCardType},
    {cmd::kAt88sc1608, cmd::kAt88sc1608, OnSelectCardType},
    {cmd::kSsf1101, cmd::kSsf1101, OnSelectCardType},
    {cmd::kCpu, cmd::kCpu, OnSelectCpu},
    {cmd::kSam, cmd::kSam, OnSelectSam},
    {cmd::kSam14, cmd::kSam15, OnSelectSam},
    {cmd::kReadCard, cmd::kReadCard, OnReadCard},
    {cmd::kWriteCard, cmd::kWriteCard, OnWriteCard},
    {cmd::kPowerDown, cmd::kPowerDown, OnPowerDown},
    {cmd::kEject, cmd::kEject, OnEject},
    {cmd::kAutoTest, cmd::kAutoTest, OnAutoTest},
    {cmd::kCheckPass, cmd::kCheckPass, OnCheckPass},
    {cmd::kCheckArea1, cmd::kCheckArea4, OnCheckAreaPass},
    {cmd::kCheckEraseArea1, cmd::kCheckEraseArea1, OnCheckErasePass},
    {cmd::kCheckEraseArea2, cmd::kCheckEraseArea2, OnCheckErasePass},
    {cmd::kCheckEraseArea3, cmd::kCheckEraseArea4, OnCheckErasePass},
    {cmd::kChangePass, cmd::kChangePass, OnChangePass},
    {cmd::kChangeArea1, cmd::kChangeEraseArea4, OnChangeAreaPass},
    {cmd::kFuse, cmd::kFuse, OnFuse},
    {cmd::kFuseState, cmd::kFuseState, OnFuseState},
    {cmd::kCardFuse, cmd::kCardFuse, OnCardFuse},
    {cmd::kCpuCard, cmd::kCpuCard, OnCpuCard},
    {cmd::kCom1, cmd::kCom4, OnSelectPort},
    {cmd::kUsb, cmd::kUsb, OnSelectPort},
    {cmd::kVersion, cmd::kVersion, OnVersion},
    {cmd::kUpdate, cmd::kUpdate, OnUpdate},
    {cmd::kDeviceControl, cmd::kDeviceControl, OnDeviceControl},
    {cmd::kCheckReadPass, cmd::kChangeSafetyPass, OnSecurePassword},
    {cmd::kAuth, cmd::kAuth, OnAuth},
};

}  // namespace

bool RunViewCommand(CDemoView& view, int id) {
    auto it = std::find_if(std::begin(kViewCommands), std::end(kViewCommands),
                           [id](const CommandRange& r) { return r.first <= id && id <= r.last; });
    if (it == std::end(kViewCommands)) return false;
    // Choosing a port opens one anyway.
    if (it->handler != OnSelectPort) view.ReopenIfLost();
    it->handler(view, id);
    return true;
}

}  // namespace demo

// SPDX-License-Identifier: MIT
// The view's command handlers. Each takes the view and the command
// identifier, so that one handler can serve a range of commands.
#pragma once

namespace demo {

class CDemoView;

// Card type selection.
void OnSelectCardType(CDemoView& view, int id);
void OnSelectCpu(CDemoView& view, int id);
void OnSelectSam(CDemoView& view, int id);

// Reading and powering the card.
void OnReadCard(CDemoView& view, int id);
void OnPowerDown(CDemoView& view, int id);
void OnEject(CDemoView& view, int id);
void OnAutoTest(CDemoView& view, int id);
void OnWriteCard(CDemoView& view, int id);

// Passwords.
void OnCheckPass(CDemoView& view, int id);
void OnCheckAreaPass(CDemoView& view, int id);
void OnCheckErasePass(CDemoView& view, int id);
void OnChangePass(CDemoView& view, int id);
void OnChangeAreaPass(CDemoView& view, int id);

// Fuses.
void OnFuse(CDemoView& view, int id);
void OnFuseState(CDemoView& view, int id);
void OnCardFuse(CDemoView& view, int id);

// Dialogs.
void OnCpuCard(CDemoView& view, int id);

// The reader.
void OnSelectPort(CDemoView& view, int id);
void OnVersion(CDemoView& view, int id);
void OnUpdate(CDemoView& view, int id);
void OnDeviceControl(CDemoView& view, int id);

// Secure memory cards.
void OnSecurePassword(CDemoView& view, int id);
void OnAuth(CDemoView& view, int id);

}  // namespace demo

// SPDX-License-Identifier: MIT
#include "demo/dialogs/device_dialog.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>

#include "demo/port/library_imports.h"
#include "demo/res/secure_dialog_templates.h"
#include "demo/res/strings.h"

namespace demo {

namespace {

// The beeper's first argument.
constexpr int kBeepMode = 5;

}  // namespace

CDeviceDlg::CDeviceDlg(UiPort& ui, std::int32_t icdev)
    : Dialog(DeviceDialogTemplate(), ui), m_icdev(icdev) {}

void CDeviceDlg::OnInitDialog() {
    PutFields();
}

DialogAction CDeviceDlg::OnButton(int id) {
    switch (id) {
        case device_dlg::kBeep:
            Beep();
            break;
        case device_dlg::kWrite:
            Write();
            break;
        case device_dlg::kRead:
            Read();
            break;
        default:
            return Dialog::OnButton(id);
    }
    return DialogAction::kStayOpen;
}

void CDeviceDlg::OnRButtonDblClk(int x, int y) {
    if (x < kCornerPixels && y < kCornerPixels) Show(kIdOk, true);
}

// "page mode" only works once revealed.
DialogAction CDeviceDlg::OnOK() {
    if (!Visible(kIdOk) || !TakeFields()) return DialogAction::kStayOpen;
    return DialogAction::kEndOk;
}

bool CDeviceDlg::TakeFields() {
    std::optional<int> beep_time = IntField(device_dlg::kBeepTime, INT_MIN, INT_MAX);
    if (!beep_time) return false;
    std::optional<unsigned> start = UnsignedField(device_dlg::kStart);
    if (!start) return false;
    std::optional<unsigned> length = UnsignedField(device_dlg::kLength);
    if (!length) return false;
    m_nBeepTime = *beep_time;
    m_nStartAddr = *start;
    m_nLength = *length;
    m_strData = Text(device_dlg::kData);
    return true;
}

void CDeviceDlg::PutFields() {
    SetText(device_dlg::kBeepTime, std::to_string(m_nBeepTime));
    SetText(device_dlg::kStart, std::to_string(m_nStartAddr));
    SetText(device_dlg::kLength, std::to_string(m_nLength));
    SetText(device_dlg::kData, m_strData);
}

// Compared without wrapping round: a length that would take the sum past 32
// bits is as far out of the memory as it looks.
bool CDeviceDlg::InMemory(const char* start_error) {
    if (m_nStartAddr > kMemorySize) {
        Notice(start_error);
        return false;
    }
    if (std::uint64_t{m_nStartAddr} + m_nLength > kMemorySize) {
        Notice("length error");
        return false;
    }
    return true;
}

void CDeviceDlg::Beep() {
    if (!TakeFields()) return;
    if (m_nBeepTime < 0 || m_nBeepTime > kMaxBeepTime) return Notice("input error!");
    if (Lib().IC_Beep(m_icdev, kBeepMode, m_nBeepTime) != 0) Notice("beep fail", text::kMessage);
}

// The text and its terminating zero, then zeros up to the length.
void CDeviceDlg::Write() {
    if (!TakeFields() || !InMemory("start addr error")) return;
    std::array<unsigned char, kMemorySize + 1> buffer{};
    std::copy_n(m_strData.begin(), std::min<std::size_t>(m_strData.size(), kMemorySize),
                buffer.begin());
    if (Lib().IC_WriteDevice(m_icdev, static_cast<std::int16_t>(m_nStartAddr),
                             static_cast<std::int16_t>(m_nLength), buffer.data()) == 0) {
        Notice("write data succeed", text::kMessage);
    } else {
        Notice("write data error", "message");
    }
}

void CDeviceDlg::Read() {
    if (!TakeFields() || !InMemory("input start addr error")) return;
    std::array<unsigned char, kMemorySize + 1> buffer{};
    if (Lib().IC_ReadDevice(m_icdev, static_cast<std::int16_t>(m_nStartAddr),
                            static_cast<std::int16_t>(m_nLength), buffer.data()) != 0) {
        Notice("read data error", "message");
        m_strData.clear();
    } else {
        buffer[m_nLength] = 0;
        m_strData = reinterpret_cast<const char*>(buffer.data());
    }
    PutFields();
}

}  // namespace demo

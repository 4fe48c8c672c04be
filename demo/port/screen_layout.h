// SPDX-License-Identifier: MIT
// Where the view draws: pixel positions in the client area (top-left corner
// of each text). The background picture puts its captions and boxes here.
#pragma once

namespace demo::screen {

constexpr int kCharWidth = 9;
constexpr int kLineHeight = 15;
constexpr int kBytesPerPage = 256;
constexpr int kBytesPerRow = 16;

constexpr int kHexLeft = 33;
constexpr int kCharLeft = 475;
constexpr int kDumpTop = 32;

constexpr int HexCellX(int i) {
    return kHexLeft + (i % kBytesPerRow) * 3 * kCharWidth;
}
constexpr int CharCellX(int i) {
    return kCharLeft + (i % kBytesPerRow) * kCharWidth;
}
constexpr int CellY(int i) {
    return kDumpTop + (i / kBytesPerRow) * kLineHeight;
}

struct Point {
    int x;
    int y;
};

constexpr Point kStatusLine[3] = {{12, 296}, {12, 316}, {12, 336}};
constexpr Point kTypeName{218, 301};
constexpr Point kPortLabel{220, 332};
constexpr Point kDecimalOffset{425, 301};
constexpr Point kHexOffset{533, 301};
constexpr Point kAreaName{425, 332};
constexpr Point kPageNumber{565, 332};
constexpr Point kPageSeparator{583, 332};
constexpr Point kPageCount{589, 332};

// Field widths in characters, as wide as the text that erases them.
constexpr int kStatusLineChars = 14;
constexpr int kTypeNameChars = 10;
constexpr int kDecimalOffsetChars = 10;
constexpr int kHexOffsetChars = 8;
constexpr int kAreaNameChars = 8;
constexpr int kPageChars = 2;

// A left click in here asks to quit.
constexpr int kExitLeft = 478;
constexpr int kExitTop = 381;
constexpr int kExitRight = 630;
constexpr int kExitBottom = 425;

constexpr int kBackgroundBitmap = 126;

}  // namespace demo::screen

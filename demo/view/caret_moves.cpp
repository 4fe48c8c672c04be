// SPDX-License-Identifier: MIT
#include "demo/view/caret_moves.h"

#include <algorithm>

namespace demo {

namespace {

constexpr int kLastIndex = 15;
constexpr int kDigitsPerByte = 3;

int LastOffset(const CardExtent& card) {
    return card.size - 1;
}

// The first cell of the next row, or of the next page; `spot` when there is
// neither.
CaretSpot NextRowStart(const CaretSpot& spot, const CardExtent& card) {
    if (spot.row < kLastIndex) return {spot.page, spot.row + 1, 0, false};
    if (spot.page + 1 < card.page_count) return {spot.page + 1, 0, 0, false};
    return spot;
}

CaretSpot Right(const CaretSpot& spot, Pane pane, const CardExtent& card) {
    const bool hex = pane == Pane::kHex;
    if (hex && !spot.second_digit) return {spot.page, spot.row, spot.column, true};
    if (spot.Offset() >= LastOffset(card)) return spot;
    if (spot.column < kLastIndex) return {spot.page, spot.row, spot.column + 1, false};
    return NextRowStart(spot, card);
}

CaretSpot Left(const CaretSpot& spot, Pane pane) {
    const bool hex = pane == Pane::kHex;
    if (hex && spot.second_digit) return {spot.page, spot.row, spot.column, false};
    if (spot.column > 0) return {spot.page, spot.row, spot.column - 1, hex};
    if (spot.row > 0) return {spot.page, spot.row - 1, kLastIndex, hex};
    if (spot.page > 0) return {spot.page - 1, kLastIndex, kLastIndex, hex};
    return spot;
}

CaretSpot Up(const CaretSpot& spot) {
    if (spot.row > 0) return {spot.page, spot.row - 1, spot.column, spot.second_digit};
    if (spot.page > 0) return {spot.page - 1, kLastIndex, spot.column, spot.second_digit};
    return spot;
}

CaretSpot Down(const CaretSpot& spot, const CardExtent& card) {
    if (spot.Offset() + screen::kBytesPerRow >= card.size) return spot;
    if (spot.row < kLastIndex) return {spot.page, spot.row + 1, spot.column, spot.second_digit};
    return {spot.page + 1, 0, spot.column, spot.second_digit};
}

// The row's last byte: column 15 of a full row, else the card's last byte.
CaretSpot End(const CaretSpot& spot, Pane pane, const CardExtent& card) {
    const int row_end = (spot.page * screen::kBytesPerRow + spot.row + 1) * screen::kBytesPerRow;
    const int column =
        row_end <= card.size ? kLastIndex : std::max(0, card.size % screen::kBytesPerRow - 1);
    return {spot.page, spot.row, column, pane == Pane::kHex};
}

}  // namespace

CaretSpot SpotAt(screen::Point at, Pane pane, int page) {
    const int row = ((at.y - screen::kDumpTop) / screen::kLineHeight) % screen::kBytesPerRow;
    if (pane == Pane::kChar) return {page, row, (at.x - screen::kCharLeft) / screen::kCharWidth};
    const int cell = kDigitsPerByte * screen::kCharWidth;
    const int x = at.x - screen::kHexLeft;
    return {page, row, x / cell, x % cell != 0};
}

screen::Point PointOf(const CaretSpot& spot, Pane pane) {
    const int y = screen::kDumpTop + spot.row * screen::kLineHeight;
    if (pane == Pane::kChar) return {screen::kCharLeft + spot.column * screen::kCharWidth, y};
    const int x = screen::kHexLeft + spot.column * kDigitsPerByte * screen::kCharWidth;
    return {spot.second_digit ? x + screen::kCharWidth : x, y};
}

CaretSpot Moved(const CaretSpot& spot, Pane pane, Key key, const CardExtent& card) {
    switch (key) {
        case Key::kLeft:
            return Left(spot, pane);
        case Key::kRight:
            return Right(spot, pane, card);
        case Key::kUp:
            return Up(spot);
        case Key::kDown:
            return Down(spot, card);
        case Key::kHome:
            return {spot.page, spot.row, 0, false};
        case Key::kEnd:
            return End(spot, pane, card);
        default:
            return spot;
    }
}

// Typing moves on as the Right key does.
CaretSpot Advanced(const CaretSpot& spot, Pane pane, const CardExtent& card) {
    return Right(spot, pane, card);
}

CaretSpot WithinCard(const CaretSpot& spot, const CardExtent& card) {
    if (spot.Offset() <= LastOffset(card) || card.size <= 0) return spot;
    const int last = LastOffset(card);
    return {last / screen::kBytesPerPage, last % screen::kBytesPerPage / screen::kBytesPerRow,
            last % screen::kBytesPerRow, false};
}

}  // namespace demo

// The sample quote board that `teskutil demo` (and any command that wants to
// show the effect of format settings) prints with the current format states.
// To add a column, append a BoardColumn in quote_board.cpp.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace teskutil {

struct SampleQuote {
    const char* name;         // Big5
    bool is64;                // price, volume and value use the 64-bit forms
    std::int64_t price;       // fixed-point with `dot` decimals
    std::int64_t reference;   // the reference (previous close) price
    std::int32_t dot;
    std::uint32_t state;      // price state 0..5
    std::int64_t volume;
    std::int64_t tradeValue;  // two decimals
    std::int32_t time;        // packed time of the last trade
    std::int32_t date;        // packed trading date
    std::int32_t changeSign;  // packed change-sign row of the last six ticks
};

struct BoardColumn {
    const char* header;  // Big5
    int width;           // terminal columns
    bool leftAlign;
    std::function<std::string(const SampleQuote&)> cell;  // narrow library text
};

const std::vector<SampleQuote>& SampleQuotes();
const std::vector<BoardColumn>& BoardColumns();

// Prints a title line and the board, converted for the terminal unless --raw.
void PrintQuoteBoard(const std::string& titleBig5);

}  // namespace teskutil

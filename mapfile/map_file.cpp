#include "mapfile/map_file.h"

#include <climits>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "mapfile/atomic_file.h"

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// The file's characters with two of look-ahead of our own, since a "0x" with
// no hexadecimal digit after it has to be given back. A file that could not be
// opened reads as an empty one.
struct CharSource {
    std::FILE* file = nullptr;
    int pending[2] = {EOF, EOF};
    int count = 0;
};

int Peek(CharSource& in, int ahead = 0) {
    while (in.count <= ahead) {
        in.pending[in.count++] = in.file ? std::fgetc(in.file) : EOF;
    }
    return in.pending[ahead];
}

void Take(CharSource& in) {
    Peek(in);
    in.pending[0] = in.pending[1];
    --in.count;
}

bool IsSpace(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// The value of c as a digit of the base, or -1.
int DigitValue(int c, int base) {
    int value = -1;
    if (c >= '0' && c <= '9') {
        value = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        value = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        value = c - 'A' + 10;
    }
    return value < base ? value : -1;
}

enum class Extract { Value, ValueThenEnd, OutOfRange, BadValue, End };

// One integer as the C library reads "%i": white space, an optional sign,
// then hexadecimal after 0x, octal after a leading 0, decimal otherwise.
// A value beyond the 32-bit range gives the nearest limit.
Extract ExtractInt(CharSource& in, std::int32_t& out) {
    while (IsSpace(Peek(in))) {
        Take(in);
    }
    if (Peek(in) == EOF) {
        return Extract::End;
    }

    bool negative = false;
    if (Peek(in) == '+' || Peek(in) == '-') {
        negative = Peek(in) == '-';
        Take(in);
    }

    int base = 10;
    bool anyDigit = false;
    if (Peek(in) == '0') {
        Take(in);
        anyDigit = true;
        base = 8;
        if ((Peek(in) == 'x' || Peek(in) == 'X') && DigitValue(Peek(in, 1), 16) >= 0) {
            Take(in);
            base = 16;
        }
    }

    // The magnitude is capped just past the largest one that fits, so it
    // never overflows however many digits follow.
    constexpr long long kCap = static_cast<long long>(INT_MAX) + 2;
    long long magnitude = 0;
    for (int digit; (digit = DigitValue(Peek(in), base)) >= 0; Take(in)) {
        anyDigit = true;
        magnitude = magnitude * base + digit;
        if (magnitude > kCap) {
            magnitude = kCap;
        }
    }
    if (!anyDigit) {
        out = 0;
        return Extract::BadValue;
    }

    long long value = negative ? -magnitude : magnitude;
    Extract result = Peek(in) == EOF ? Extract::ValueThenEnd : Extract::Value;
    if (value > INT_MAX) {
        value = INT_MAX;
        result = Extract::OutOfRange;
    } else if (value < INT_MIN) {
        value = INT_MIN;
        result = Extract::OutOfRange;
    }
    out = static_cast<std::int32_t>(value);
    return result;
}

}  // namespace

const char* MapSlotPath(MapSlot slot) {
    switch (slot) {
        case 1: return "Data/maps/map1";
        case 2: return "Data/maps/map2";
        case 3: return "Data/maps/map3";
        case 4: return "Data/maps/map4";
        case 5: return "Data/maps/map5";
        case kDefaultMapSlot: return "Data/maps/mapdefault";
        default: return nullptr;
    }
}

void ReadMapFile(const char* path, MapGrid& grid) {
    File file(std::fopen(path, "rb"));
    CharSource in{file.get()};
    for (int k = 0; k < kMapSize * kMapSize; ++k) {
        std::int32_t& cell = grid.at(k % kMapSize, k / kMapSize);
        std::int32_t value = 0;
        Extract result = ExtractInt(in, value);
        if (result == Extract::End) {
            return;  // the cell keeps what it held
        }
        cell = value;
        if (result != Extract::Value) {
            return;  // every later cell keeps what it held
        }
    }
}

bool WriteMapFile(const char* path, const MapGrid& grid, int* error) {
    std::vector<std::string> lines;
    for (int y = 0; y < kMapSize; ++y) {
        std::string line = std::to_string(grid.at(0, y));
        for (int x = 1; x < kMapSize; ++x) {
            // A space before every value: the same bytes as a two-wide field
            // for one-character codes, and longer values stay apart from the
            // one before them.
            line += ' ';
            line += std::to_string(grid.at(x, y));
        }
        line += " \r\n";
        lines.push_back(std::move(line));
    }
    int failure = 0;
    const bool written = WriteFileAtomically(path, lines, failure);
    if (error != nullptr) *error = failure;
    return written;
}

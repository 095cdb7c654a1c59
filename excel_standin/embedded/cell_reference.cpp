#include "excel_standin/embedded/cell_reference.h"

#include <cctype>
#include <vector>

namespace brackwell::embedded {

namespace {

// Parses the characters of one address piece; positions advance only on success.
class Scanner {
public:
    explicit Scanner(std::string_view text) : text_(text) {}

    bool AtEnd() const { return pos_ == text_.size(); }
    bool Take(char c) {
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    bool TakeLetterIgnoringCase(char upper) {
        if (pos_ < text_.size() && std::toupper(static_cast<unsigned char>(text_[pos_])) == upper) {
            ++pos_;
            return true;
        }
        return false;
    }
    // Up to 7 digits (enough for any row or column), no leading sign.
    std::optional<std::int64_t> Number() {
        std::size_t start = pos_;
        std::int64_t value = 0;
        while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_])) &&
               pos_ - start < 8) {
            value = value * 10 + (text_[pos_] - '0');
            ++pos_;
        }
        if (pos_ == start) return std::nullopt;
        return value;
    }
    std::optional<std::int64_t> ColumnFromLetters() {
        std::size_t start = pos_;
        std::int64_t value = 0;
        while (pos_ < text_.size() && std::isalpha(static_cast<unsigned char>(text_[pos_])) &&
               pos_ - start < 3) {
            value = value * 26 + (std::toupper(static_cast<unsigned char>(text_[pos_])) - 'A' + 1);
            ++pos_;
        }
        if (pos_ == start) return std::nullopt;
        return value;
    }
    std::size_t Position() const { return pos_; }
    void Rewind(std::size_t pos) { pos_ = pos; }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// One end of an area: a cell, a whole column or a whole row (0 = absent).
struct Corner {
    std::int64_t row = 0;
    std::int64_t column = 0;
};

std::optional<Corner> ParseA1Corner(Scanner& s) {
    const std::size_t start = s.Position();
    Corner corner;
    s.Take('$');
    if (auto column = s.ColumnFromLetters()) corner.column = *column;
    s.Take('$');
    if (auto row = s.Number()) corner.row = *row;
    if (corner.row == 0 && corner.column == 0) {
        s.Rewind(start);
        return std::nullopt;
    }
    return corner;
}

std::optional<Corner> ParseR1C1Corner(Scanner& s) {
    const std::size_t start = s.Position();
    Corner corner;
    if (s.TakeLetterIgnoringCase('R')) {
        auto row = s.Number();
        if (!row) {
            s.Rewind(start);
            return std::nullopt;
        }
        corner.row = *row;
    }
    if (s.TakeLetterIgnoringCase('C')) {
        auto column = s.Number();
        if (!column) {
            s.Rewind(start);
            return std::nullopt;
        }
        corner.column = *column;
    }
    if (corner.row == 0 && corner.column == 0) {
        s.Rewind(start);
        return std::nullopt;
    }
    return corner;
}

bool Inside(const Corner& c, GridLimits grid) {
    return c.row <= grid.rows && c.column <= grid.columns;
}

std::string Format(const Corner& c) {
    std::string out;
    if (c.column != 0) out += "$" + ColumnLetters(static_cast<std::int32_t>(c.column));
    if (c.row != 0) out += "$" + std::to_string(c.row);
    return out;
}

// A lone corner must be a cell; the two corners of a range must be of one kind.
std::optional<std::string> FormatArea(const Corner& first, const std::optional<Corner>& second,
                                      GridLimits grid) {
    if (!Inside(first, grid) || (second && !Inside(*second, grid))) return std::nullopt;
    if (!second) {
        if (first.row == 0 || first.column == 0) return std::nullopt;
        return Format(first);
    }
    const bool firstCell = first.row != 0 && first.column != 0;
    const bool secondCell = second->row != 0 && second->column != 0;
    const bool sameShape = (firstCell && secondCell) ||
                           (first.row == 0 && second->row == 0) ||
                           (first.column == 0 && second->column == 0);
    if (!sameShape) return std::nullopt;
    return Format(first) + ":" + Format(*second);
}

std::optional<std::string> NormalizeArea(std::string_view text, GridLimits grid, Notation notation) {
    const auto parse = notation == Notation::A1 ? ParseA1Corner : ParseR1C1Corner;
    Scanner s(text);
    auto first = parse(s);
    if (!first) return std::nullopt;
    std::optional<Corner> second;
    if (s.Take(':')) {
        second = parse(s);
        if (!second) return std::nullopt;
    }
    if (!s.AtEnd()) return std::nullopt;
    return FormatArea(*first, second, grid);
}

bool MatchesRowColumnPattern(std::string_view name, char rowLetter, char columnLetter) {
    Scanner s(name);
    if (s.TakeLetterIgnoringCase(rowLetter)) s.Number();
    if (s.TakeLetterIgnoringCase(columnLetter)) s.Number();
    return s.AtEnd() && !name.empty();
}

}  // namespace

GridLimits GridForVersion(int majorVersion) {
    if (majorVersion > 0 && majorVersion < 12) return {65536, 256};
    return {1048576, 16384};
}

std::string ColumnLetters(std::int32_t column) {
    std::string letters;
    while (column > 0) {
        const int rest = (column - 1) % 26;
        letters.insert(letters.begin(), static_cast<char>('A' + rest));
        column = (column - 1) / 26;
    }
    return letters;
}

std::optional<std::string> NormalizeAreas(std::string_view text, GridLimits grid, Notation notation) {
    std::string out;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        auto area = NormalizeArea(text.substr(start, comma - start), grid, notation);
        if (!area) return std::nullopt;
        if (!out.empty()) out += ",";
        out += *area;
        if (comma == std::string_view::npos) return out;
        start = comma + 1;
    }
}

bool LooksLikeCellReference(std::string_view name, GridLimits grid) {
    Scanner s(name);
    const auto column = s.ColumnFromLetters();
    const auto row = s.Number();
    if (column && row && s.AtEnd() && *row >= 1 && *row <= grid.rows && *column <= grid.columns) {
        return true;
    }
    // The R1C1 forms are refused in any language; German Excel also reads Z1S1.
    // (UNCONFIRMED that an automation caller with locale 1033 meets the Z1S1 rule;
    // a German user typing names does.)
    return MatchesRowColumnPattern(name, 'R', 'C') || MatchesRowColumnPattern(name, 'Z', 'S');
}

}  // namespace brackwell::embedded

#include "excel_standin/embedded/sheet_references.h"

#include "excel_standin/embedded/cell_reference.h"
#include "excel_standin/embedded/unicode_text.h"

namespace brackwell::embedded {

namespace {

bool IsPlainNameChar(char32_t cp) {
    return IsNameLetter(cp) || (cp >= U'0' && cp <= U'9') || cp == U'_' || cp == U'.';
}

// Length of the run of plain name characters at `pos`.
std::size_t PlainRunLength(std::string_view text, std::size_t pos) {
    std::size_t end = pos;
    while (end < text.size()) {
        std::size_t next = end;
        if (!IsPlainNameChar(DecodeUtf8(text, next))) break;
        end = next;
    }
    return end - pos;
}

// "[Book]Sheet" or "Sheet" into its two parts.
void SplitBookAndSheet(std::string_view content, std::string& workbook, std::string& sheet) {
    if (!content.empty() && content.front() == '[') {
        const std::size_t close = content.find(']');
        if (close != std::string_view::npos) {
            workbook = std::string(content.substr(1, close - 1));
            sheet = std::string(content.substr(close + 1));
            return;
        }
    }
    workbook.clear();
    sheet = std::string(content);
}

// A quoted prefix starting at `pos` ('...' with doubled quotes inside): the
// unquoted content, and the position just after the closing quote.
std::optional<std::pair<std::string, std::size_t>> ReadQuoted(std::string_view text, std::size_t pos) {
    std::string content;
    std::size_t i = pos + 1;
    while (i < text.size()) {
        if (text[i] == '\'') {
            if (i + 1 < text.size() && text[i + 1] == '\'') {
                content += '\'';
                i += 2;
                continue;
            }
            return std::make_pair(content, i + 1);
        }
        content += text[i++];
    }
    return std::nullopt;
}

// An unquoted token at `pos`: an optional "[book]" and a run of name characters.
std::size_t UnquotedTokenEnd(std::string_view text, std::size_t pos) {
    std::size_t end = pos;
    if (end < text.size() && text[end] == '[') {
        const std::size_t close = text.find(']', end);
        if (close == std::string_view::npos) return pos;
        end = close + 1;
    }
    return end + PlainRunLength(text, end);
}

std::size_t SkipStringLiteral(std::string_view text, std::size_t pos) {
    std::size_t i = pos + 1;
    while (i < text.size()) {
        if (text[i] == '"') {
            if (i + 1 < text.size() && text[i + 1] == '"') {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return i;
}

}  // namespace

std::vector<SheetReference> FindSheetReferences(std::string_view formula) {
    std::vector<SheetReference> found;
    std::size_t pos = 0;
    while (pos < formula.size()) {
        const char c = formula[pos];
        if (c == '"') {
            pos = SkipStringLiteral(formula, pos);
            continue;
        }
        if (c == '\'') {
            auto quoted = ReadQuoted(formula, pos);
            if (!quoted) break;
            const std::size_t after = quoted->second;
            if (after < formula.size() && formula[after] == '!') {
                SheetReference ref;
                ref.begin = pos;
                ref.end = after + 1;
                SplitBookAndSheet(quoted->first, ref.workbook, ref.sheet);
                found.push_back(std::move(ref));
                pos = after + 1;
            } else {
                pos = after;
            }
            continue;
        }
        const std::size_t tokenEnd = UnquotedTokenEnd(formula, pos);
        if (tokenEnd == pos) {
            DecodeUtf8(formula, pos);  // any other character: step over it whole
            continue;
        }
        const bool errorValue = pos > 0 && formula[pos - 1] == '#';  // #REF!, #NAME? ...
        if (!errorValue && tokenEnd < formula.size() && formula[tokenEnd] == '!') {
            SheetReference ref;
            ref.begin = pos;
            ref.end = tokenEnd + 1;
            SplitBookAndSheet(formula.substr(pos, tokenEnd - pos), ref.workbook, ref.sheet);
            found.push_back(std::move(ref));
            pos = tokenEnd + 1;
        } else {
            pos = tokenEnd;
        }
    }
    return found;
}

std::string RewriteSheetReferences(std::string_view formula, const SheetReferenceRewrite& replace) {
    std::string out;
    std::size_t copied = 0;
    for (const SheetReference& ref : FindSheetReferences(formula)) {
        auto replacement = replace(ref);
        if (!replacement) continue;
        out.append(formula.substr(copied, ref.begin - copied));
        out += *replacement;
        copied = ref.end;
    }
    out.append(formula.substr(copied));
    return out;
}

bool NeedsQuotes(std::string_view sheetName) {
    if (sheetName.empty()) return true;
    if (PlainRunLength(sheetName, 0) != sheetName.size()) return true;
    const char first = sheetName.front();
    if ((first >= '0' && first <= '9') || first == '.') return true;
    return LooksLikeCellReference(sheetName, GridForVersion(12));
}

std::string SheetPrefix(std::string_view sheet, std::string_view workbook) {
    std::string content;
    if (!workbook.empty()) content = "[" + std::string(workbook) + "]";
    content += sheet;
    const bool bookNeedsQuotes =
        !workbook.empty() && PlainRunLength(workbook, 0) != workbook.size();
    if (!bookNeedsQuotes && !NeedsQuotes(sheet)) return content + "!";
    std::string quoted = "'";
    for (char c : content) {
        quoted += c;
        if (c == '\'') quoted += '\'';
    }
    return quoted + "'!";
}

std::optional<ReferenceText> SplitReference(std::string_view text) {
    ReferenceText result;
    if (!text.empty() && text.front() == '\'') {
        auto quoted = ReadQuoted(text, 0);
        if (!quoted || quoted->second >= text.size() || text[quoted->second] != '!') return std::nullopt;
        result.hasPrefix = true;
        SplitBookAndSheet(quoted->first, result.workbook, result.sheet);
        result.rest = std::string(text.substr(quoted->second + 1));
        return result;
    }
    const std::size_t tokenEnd = UnquotedTokenEnd(text, 0);
    if (tokenEnd < text.size() && text[tokenEnd] == '!') {
        result.hasPrefix = true;
        SplitBookAndSheet(text.substr(0, tokenEnd), result.workbook, result.sheet);
        result.rest = std::string(text.substr(tokenEnd + 1));
        return result;
    }
    if (text.find('!') != std::string_view::npos) return std::nullopt;
    result.rest = std::string(text);
    return result;
}

}  // namespace brackwell::embedded

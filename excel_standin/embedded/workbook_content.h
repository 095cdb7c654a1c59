#pragma once
// The structure of a workbook file as far as the navigator can see it: what
// the embedded host writes when it saves and reads when it opens. A real
// .xlsx reader and writer can fill and take this struct.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace brackwell::embedded {

enum class SheetKind { Worksheet, Chart };

struct SheetContent {
    std::string name;
    SheetKind kind = SheetKind::Worksheet;
    bool visible = true;
    std::int32_t tabColorIndex = -4142;  // 1..56, or -4142 for none
    bool protectedContents = false;
    std::string password;  // empty: protected without password
};

struct NameContent {
    // The bare name, "Daten"; a built-in one as files spell it, "_xlnm.Print_Area".
    std::string name;
    std::string refersTo;                  // "=Tabelle1!$A$1:$B$9"
    std::optional<std::string> localSheet; // the sheet of a sheet-level name
    bool hidden = false;                   // Visible False
};

struct WorkbookContent {
    std::vector<SheetContent> sheets;  // tab order
    std::vector<NameContent> names;
    bool firstWindowVisible = true;
    std::string activeSheet;  // the sheet its window shows; "" for none
};

}  // namespace brackwell::embedded

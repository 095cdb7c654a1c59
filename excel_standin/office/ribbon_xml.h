#pragma once
// The ribbon XML an add-in returns from GetCustomUI, read as Excel reads it:
// the document must be well-formed, in one of the two customUI namespaces
// (2006/01 of Office 2007, 2009/07 of Office 2010 and later) and valid
// against the schema; if any part is not, none of the add-in's
// customisation is applied. The stand-in knows the part of the schema an
// add-in of the Home tab uses (customUI > ribbon > tabs > tab > group >
// button, toggleButton, separator, with the attributes below) and refuses
// everything else too, so no add-in can rely on something it never shows.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brackwell::office {

inline constexpr wchar_t kCustomUi2006[] = L"http://schemas.microsoft.com/office/2006/01/customui";
inline constexpr wchar_t kCustomUi2009[] = L"http://schemas.microsoft.com/office/2009/07/customui";

enum class RibbonControlKind { Button, ToggleButton, Separator };

struct RibbonControlSpec {
    RibbonControlKind kind = RibbonControlKind::Button;
    std::wstring id;     // the add-in's own id (IRibbonControl.Id), or
    std::wstring idMso;  // a built-in control's
    std::wstring label;
    std::wstring imageMso;
    std::wstring screentip;
    std::wstring supertip;
    std::wstring tag;
    bool large = false;  // size="large"
    bool enabled = true;
    bool visible = true;
    std::wstring onAction;    // callback names
    std::wstring getPressed;  // toggleButton only
};

struct RibbonGroupSpec {
    std::wstring id;
    std::wstring idMso;
    std::wstring label;
    bool visible = true;
    std::vector<RibbonControlSpec> controls;
};

struct RibbonTabSpec {
    std::wstring id;
    std::wstring idMso;  // a built-in tab: "TabHome" is Excel's Home tab ("Start")
    std::wstring label;
    bool visible = true;
    std::vector<RibbonGroupSpec> groups;
};

struct CustomUi {
    std::wstring namespaceUri;
    std::wstring onLoad;
    std::vector<RibbonTabSpec> tabs;
};

struct ParsedCustomUi {
    std::optional<CustomUi> ui;  // empty when refused
    std::wstring error;          // then: what is wrong, first fault only
};

ParsedCustomUi ParseCustomUi(std::wstring_view xml);

}  // namespace brackwell::office

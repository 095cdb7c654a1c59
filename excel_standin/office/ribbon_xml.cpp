#include "excel_standin/office/ribbon_xml.h"

#include <windows.h>

#include <objidl.h>
#include <shlwapi.h>
#include <xmllite.h>

#include <algorithm>
#include <cwctype>
#include <set>
#include <span>
#include <cstdio>
#include <stdexcept>
#include <utility>

#include "adapters/windows/common/com_ptr.h"
#include "adapters/windows/common/utf.h"

namespace brackwell::office {
namespace {

using win::ComPtr;

// A refusal: the document as a whole is not applied.
struct Invalid {
    std::wstring reason;
};

[[noreturn]] void Refuse(std::wstring reason) { throw Invalid{std::move(reason)}; }

// XmlLite has no import library in MinGW: CreateXmlReader comes from the DLL.
ComPtr<IXmlReader> NewReader() {
    using Create = HRESULT(WINAPI*)(REFIID, void**, IMalloc*);
    static const auto create = [] {
        HMODULE module = ::LoadLibraryW(L"xmllite.dll");  // kept for the process's life
        return module ? reinterpret_cast<Create>(reinterpret_cast<void*>(::GetProcAddress(module, "CreateXmlReader")))
                      : nullptr;
    }();
    ComPtr<IXmlReader> reader;
    if (!create || FAILED(create(__uuidof(IXmlReader), reader.ReceiveVoid(), nullptr)) || !reader)
        Refuse(L"XmlLite is not available");
    return reader;
}

// ST_ID / ST_UniqueID: an XML NCName of 1 to 1024 characters.
bool IsNcName(std::wstring_view text) {
    if (text.empty() || text.size() > 1024) return false;
    const auto nameStart = [](wchar_t c) { return c == L'_' || std::iswalpha(c) || c > 0x7F; };
    if (!nameStart(text.front())) return false;
    return std::all_of(text.begin(), text.end(), [&](wchar_t c) {
        return nameStart(c) || std::iswdigit(c) || c == L'-' || c == L'.';
    });
}

bool ParseBool(const std::wstring& value, const std::wstring& where) {
    if (value == L"true" || value == L"1") return true;
    if (value == L"false" || value == L"0") return false;
    Refuse(where + L": \"" + value + L"\" is no Boolean");
}

enum class AttrType { Id, IdMso, Text, LongText, Keytip, Callback, Bool, Size };

struct AttrRule {
    const wchar_t* name;
    AttrType type;
};

constexpr AttrRule kTabAttrs[] = {{L"id", AttrType::Id},          {L"idMso", AttrType::IdMso},
                                  {L"label", AttrType::Text},     {L"visible", AttrType::Bool},
                                  {L"tag", AttrType::Text},       {L"keytip", AttrType::Keytip},
                                  {L"insertAfterMso", AttrType::IdMso}, {L"insertBeforeMso", AttrType::IdMso}};
constexpr AttrRule kGroupAttrs[] = {{L"id", AttrType::Id},           {L"idMso", AttrType::IdMso},
                                    {L"label", AttrType::Text},      {L"imageMso", AttrType::IdMso},
                                    {L"screentip", AttrType::Text},  {L"supertip", AttrType::LongText},
                                    {L"visible", AttrType::Bool},    {L"tag", AttrType::Text},
                                    {L"keytip", AttrType::Keytip},   {L"insertAfterMso", AttrType::IdMso},
                                    {L"insertBeforeMso", AttrType::IdMso}};
constexpr AttrRule kButtonAttrs[] = {
    {L"id", AttrType::Id},           {L"idMso", AttrType::IdMso},      {L"label", AttrType::Text},
    {L"imageMso", AttrType::IdMso},  {L"size", AttrType::Size},        {L"screentip", AttrType::Text},
    {L"supertip", AttrType::LongText}, {L"onAction", AttrType::Callback}, {L"enabled", AttrType::Bool},
    {L"visible", AttrType::Bool},    {L"tag", AttrType::Text},         {L"keytip", AttrType::Keytip},
    {L"showLabel", AttrType::Bool},  {L"showImage", AttrType::Bool},   {L"description", AttrType::LongText}};
constexpr AttrRule kToggleAttrs[] = {
    {L"id", AttrType::Id},           {L"idMso", AttrType::IdMso},      {L"label", AttrType::Text},
    {L"imageMso", AttrType::IdMso},  {L"size", AttrType::Size},        {L"screentip", AttrType::Text},
    {L"supertip", AttrType::LongText}, {L"onAction", AttrType::Callback}, {L"getPressed", AttrType::Callback},
    {L"enabled", AttrType::Bool},    {L"visible", AttrType::Bool},     {L"tag", AttrType::Text},
    {L"keytip", AttrType::Keytip},   {L"showLabel", AttrType::Bool},   {L"showImage", AttrType::Bool},
    {L"description", AttrType::LongText}};
constexpr AttrRule kSeparatorAttrs[] = {{L"id", AttrType::Id}, {L"visible", AttrType::Bool}};
constexpr AttrRule kCustomUiAttrs[] = {{L"onLoad", AttrType::Callback}};

// Where an element may stand: its parent and the attributes it takes.
struct ElementRule {
    const wchar_t* name;
    const wchar_t* parent;  // nullptr: the document's root
    std::span<const AttrRule> attributes;
};

constexpr ElementRule kElements[] = {
    {L"customUI", nullptr, kCustomUiAttrs}, {L"ribbon", L"customUI", {}},
    {L"tabs", L"ribbon", {}},               {L"tab", L"tabs", kTabAttrs},
    {L"group", L"tab", kGroupAttrs},        {L"button", L"group", kButtonAttrs},
    {L"toggleButton", L"group", kToggleAttrs}, {L"separator", L"group", kSeparatorAttrs},
};

using Attributes = std::vector<std::pair<std::wstring, std::wstring>>;

class Reader {
public:
    explicit Reader(std::wstring_view xml) : xml_(xml) {}

    CustomUi Read() {
        ComPtr<IXmlReader> reader = NewReader();
        reader->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Prohibit);
        const std::string bytes = win::WideToUtf8(std::wstring(xml_));
        ComPtr<IStream> stream = ComPtr<IStream>::Adopt(
            ::SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<UINT>(bytes.size())));
        if (!stream || FAILED(reader->SetInput(stream.Get()))) Refuse(L"the document cannot be read");
        XmlNodeType type{};
        HRESULT hr;
        while ((hr = reader->Read(&type)) == S_OK) {
            if (type == XmlNodeType_Element) {
                Element(*reader.Get());
            } else if (type == XmlNodeType_EndElement) {
                stack_.pop_back();
            } else if (type == XmlNodeType_Text || type == XmlNodeType_CDATA) {
                Refuse(L"text inside <" + (stack_.empty() ? std::wstring() : stack_.back()) + L">");
            }
        }
        if (FAILED(hr)) Refuse(L"not well-formed XML (XmlLite error " + Hex(hr) + L")");
        if (!seenRoot_) Refuse(L"no customUI element");
        return ui_;
    }

private:
    static std::wstring Hex(HRESULT hr) {
        wchar_t text[16];
        ::swprintf(text, 16, L"0x%08lX", static_cast<unsigned long>(hr));
        return text;
    }

    void Element(IXmlReader& reader) {
        const wchar_t* name = nullptr;
        const wchar_t* uri = nullptr;
        reader.GetLocalName(&name, nullptr);
        reader.GetNamespaceUri(&uri, nullptr);
        const std::wstring element = name ? name : L"";
        const bool empty = reader.IsEmptyElement() != FALSE;
        if (!seenRoot_) {
            const std::wstring ns = uri ? uri : L"";
            if (element != L"customUI") Refuse(L"the root element is <" + element + L">, not <customUI>");
            if (ns != kCustomUi2006 && ns != kCustomUi2009) Refuse(L"unknown namespace \"" + ns + L"\"");
            ui_.namespaceUri = ns;
            seenRoot_ = true;
        } else if (!uri || ui_.namespaceUri != uri) {
            Refuse(L"<" + element + L"> is outside the customUI namespace");
        }
        const ElementRule* rule = nullptr;
        for (const ElementRule& candidate : kElements) {
            if (element == candidate.name) rule = &candidate;
        }
        if (!rule) Refuse(L"<" + element + L"> is not known here");
        const std::wstring parent = stack_.empty() ? std::wstring() : stack_.back();
        if ((rule->parent == nullptr) != stack_.empty() || (rule->parent && parent != rule->parent))
            Refuse(L"<" + element + L"> cannot stand in <" + parent + L">");
        Build(element, AttributesOf(reader, element, rule->attributes));
        if (!empty) stack_.push_back(element);
    }

    Attributes AttributesOf(IXmlReader& reader, const std::wstring& element, std::span<const AttrRule> rules) {
        Attributes found;
        for (HRESULT hr = reader.MoveToFirstAttribute(); hr == S_OK; hr = reader.MoveToNextAttribute()) {
            const wchar_t* prefix = nullptr;
            const wchar_t* name = nullptr;
            const wchar_t* value = nullptr;
            reader.GetPrefix(&prefix, nullptr);
            reader.GetLocalName(&name, nullptr);
            reader.GetValue(&value, nullptr);
            const std::wstring attrPrefix = prefix ? prefix : L"";
            const std::wstring attr = name ? name : L"";
            if (attrPrefix == L"xmlns" || (attrPrefix.empty() && attr == L"xmlns")) continue;
            const std::wstring where = L"<" + element + L" " + attr + L">";
            const AttrRule* rule = nullptr;
            for (const AttrRule& candidate : rules) {
                if (attrPrefix.empty() && attr == candidate.name) rule = &candidate;
            }
            if (!rule) Refuse(where + L" is not known");
            const std::wstring text = value ? value : L"";
            Check(*rule, text, where);
            found.emplace_back(attr, text);
        }
        reader.MoveToElement();
        return found;
    }

    void Check(const AttrRule& rule, const std::wstring& value, const std::wstring& where) {
        switch (rule.type) {
        case AttrType::Id:
            if (!IsNcName(value)) Refuse(where + L": \"" + value + L"\" is no valid id");
            if (!ids_.insert(value).second) Refuse(where + L": id \"" + value + L"\" is used twice");
            break;
        case AttrType::IdMso:
            if (!IsNcName(value)) Refuse(where + L": \"" + value + L"\" is no valid built-in id");
            break;
        case AttrType::Text:
            if (value.empty() || value.size() > 1024) Refuse(where + L" must have 1 to 1024 characters");
            break;
        case AttrType::LongText:
            if (value.empty() || value.size() > 4096) Refuse(where + L" must have 1 to 4096 characters");
            break;
        case AttrType::Keytip:
            if (value.empty() || value.size() > 3) Refuse(where + L" must have 1 to 3 characters");
            break;
        case AttrType::Callback:
            if (value.empty() || value.size() > 1024) Refuse(where + L" must name a callback");
            break;
        case AttrType::Bool:
            ParseBool(value, where);
            break;
        case AttrType::Size:
            if (value != L"normal" && value != L"large") Refuse(where + L": \"" + value + L"\" is no size");
            break;
        }
    }

    static std::wstring Value(const Attributes& attrs, const wchar_t* name) {
        for (const auto& [key, value] : attrs) {
            if (key == name) return value;
        }
        return {};
    }
    static bool Flag(const Attributes& attrs, const wchar_t* name) {
        const std::wstring value = Value(attrs, name);
        return value.empty() || value == L"true" || value == L"1";
    }
    // Exactly one of id and idMso names a tab, group or control.
    static void OneIdentity(const Attributes& attrs, const std::wstring& element) {
        const bool id = !Value(attrs, L"id").empty();
        const bool idMso = !Value(attrs, L"idMso").empty();
        if (id == idMso) Refuse(L"<" + element + L"> needs exactly one of id and idMso");
    }

    void Build(const std::wstring& element, const Attributes& attrs) {
        if (element == L"customUI") {
            ui_.onLoad = Value(attrs, L"onLoad");
        } else if (element == L"tab") {
            OneIdentity(attrs, element);
            ui_.tabs.push_back({Value(attrs, L"id"), Value(attrs, L"idMso"), Value(attrs, L"label"),
                                Flag(attrs, L"visible"), {}});
        } else if (element == L"group") {
            OneIdentity(attrs, element);
            ui_.tabs.back().groups.push_back({Value(attrs, L"id"), Value(attrs, L"idMso"), Value(attrs, L"label"),
                                              Flag(attrs, L"visible"), {}});
        } else if (element == L"button" || element == L"toggleButton" || element == L"separator") {
            RibbonControlSpec control;
            control.kind = element == L"button"         ? RibbonControlKind::Button
                           : element == L"toggleButton" ? RibbonControlKind::ToggleButton
                                                        : RibbonControlKind::Separator;
            if (control.kind != RibbonControlKind::Separator) OneIdentity(attrs, element);
            control.id = Value(attrs, L"id");
            control.idMso = Value(attrs, L"idMso");
            control.label = Value(attrs, L"label");
            control.imageMso = Value(attrs, L"imageMso");
            control.screentip = Value(attrs, L"screentip");
            control.supertip = Value(attrs, L"supertip");
            control.tag = Value(attrs, L"tag");
            control.large = Value(attrs, L"size") == L"large";
            control.enabled = Flag(attrs, L"enabled");
            control.visible = Flag(attrs, L"visible");
            control.onAction = Value(attrs, L"onAction");
            control.getPressed = Value(attrs, L"getPressed");
            ui_.tabs.back().groups.back().controls.push_back(std::move(control));
        }
    }

    std::wstring_view xml_;
    CustomUi ui_;
    bool seenRoot_ = false;
    std::vector<std::wstring> stack_;
    std::set<std::wstring> ids_;
};

}  // namespace

ParsedCustomUi ParseCustomUi(std::wstring_view xml) {
    try {
        return {Reader(xml).Read(), {}};
    } catch (const Invalid& invalid) {
        return {std::nullopt, invalid.reason};
    } catch (const std::exception&) {
        return {std::nullopt, L"the document cannot be read"};
    }
}

}  // namespace brackwell::office

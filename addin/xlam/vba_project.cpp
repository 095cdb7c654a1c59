#include "addin/xlam/vba_project.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "formats/cfb/compound_file_writer.h"
#include "formats/little_endian.h"
#include "formats/ovba/ovba_compression.h"

namespace brackwell::addin {

namespace {

constexpr std::string_view kProjectName = "Brackwell";
// A fixed project id keeps the file the same from build to build.
constexpr std::string_view kProjectId = "{CF9F02AC-9259-496D-A932-EA4AC718091E}";
constexpr std::uint16_t kCodePage = 1252;
constexpr std::uint32_t kLcid = 0x0409;  // the only value the format allows
constexpr std::uint32_t kWin32 = 1;

// The classes Excel's workbook and worksheet documents derive from.
constexpr std::string_view kWorkbookClass = "0{00020819-0000-0000-C000-000000000046}";
constexpr std::string_view kWorksheetClass = "0{00020820-0000-0000-C000-000000000046}";
// OLE Automation (stdole), which every project Excel makes refers to.
constexpr std::string_view kStdoleName = "stdole";
constexpr std::string_view kStdoleLibid =
    "*\\G{00020430-0000-0000-C000-000000000046}#2.0#0#C:\\Windows\\System32\\stdole2.tlb#OLE Automation";

struct Module {
    std::string name;
    std::string text;
    bool document;
};

using formats::Append16;
using formats::Append32;

// ASCII names in UTF-16LE, as the records' Unicode halves hold them.
std::string Utf16(std::string_view ascii) {
    std::string out;
    for (char c : ascii) Append16(out, static_cast<unsigned char>(c));
    return out;
}

// A record: its id, the size of what follows, then that.
void Record(std::string& out, std::uint16_t id, std::string_view payload) {
    Append16(out, id);
    Append32(out, static_cast<std::uint32_t>(payload.size()));
    out += payload;
}

void Record32(std::string& out, std::uint16_t id, std::uint32_t value) {
    std::string payload;
    Append32(payload, value);
    Record(out, id, payload);
}

void Record16(std::string& out, std::uint16_t id, std::uint16_t value) {
    std::string payload;
    Append16(payload, value);
    Record(out, id, payload);
}

// A text in the code page, then the same in UTF-16 under a second id.
void TextRecord(std::string& out, std::uint16_t id, std::uint16_t unicodeId, std::string_view text) {
    Record(out, id, text);
    Record(out, unicodeId, Utf16(text));
}

std::string DocumentModuleText(std::string_view name, std::string_view baseClass) {
    std::string text = "Attribute VB_Name = \"" + std::string(name) + "\"\r\n";
    text += "Attribute VB_Base = \"" + std::string(baseClass) + "\"\r\n";
    text +=
        "Attribute VB_GlobalNameSpace = False\r\n"
        "Attribute VB_Creatable = False\r\n"
        "Attribute VB_PredeclaredId = True\r\n"
        "Attribute VB_Exposed = True\r\n"
        "Attribute VB_TemplateDerived = False\r\n"
        "Attribute VB_Customizable = True\r\n";
    return text;
}

// The obfuscation the PROJECT stream's CMG, DPB and GC values carry, as hex
// digits. A fixed seed keeps the file the same from build to build.
std::string Obfuscated(std::string_view data, std::uint8_t seed) {
    std::uint8_t projectKey = 0;
    for (char c : kProjectId) projectKey = static_cast<std::uint8_t>(projectKey + static_cast<unsigned char>(c));
    constexpr std::uint8_t kVersion = 2;
    std::vector<std::uint8_t> out = {seed, static_cast<std::uint8_t>(seed ^ kVersion),
                                     static_cast<std::uint8_t>(seed ^ projectKey)};
    std::uint8_t plainBefore = projectKey;
    std::uint8_t encryptedBefore = out[2];
    std::uint8_t encryptedTwoBefore = out[1];
    const auto put = [&](std::uint8_t plain) {
        const auto encrypted = static_cast<std::uint8_t>(plain ^ static_cast<std::uint8_t>(encryptedTwoBefore + plainBefore));
        out.push_back(encrypted);
        encryptedTwoBefore = encryptedBefore;
        encryptedBefore = encrypted;
        plainBefore = plain;
    };
    for (int ignored = 0; ignored < (seed & 6) / 2; ++ignored) put(0);
    std::string length;
    Append32(length, static_cast<std::uint32_t>(data.size()));
    for (char c : length) put(static_cast<std::uint8_t>(c));
    for (char c : data) put(static_cast<std::uint8_t>(c));

    std::string hex;
    for (std::uint8_t byte : out) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02X", byte);
        hex += digits;
    }
    return hex;
}

std::string ProjectStream(const std::vector<Module>& modules) {
    std::string text = "ID=\"" + std::string(kProjectId) + "\"\r\n";
    for (const Module& module : modules) {
        text += module.document ? "Document=" + module.name + "/&H00000000\r\n" : "Module=" + module.name + "\r\n";
    }
    text += "Name=\"" + std::string(kProjectName) + "\"\r\n";
    text += "HelpContextID=\"0\"\r\n";
    text += "VersionCompatible32=\"393222000\"\r\n";
    text += "CMG=\"" + Obfuscated(std::string(4, '\0'), 0x2C) + "\"\r\n";  // not protected
    text += "DPB=\"" + Obfuscated(std::string(1, '\0'), 0x5A) + "\"\r\n";  // no password
    text += "GC=\"" + Obfuscated("\xFF", 0x93) + "\"\r\n";                  // visible
    text += "\r\n[Host Extender Info]\r\n";
    text += "&H00000001={3832D640-CF90-11CF-8E43-00A0C911005A};VBE;&H00000000\r\n";
    text += "\r\n[Workspace]\r\n";
    for (const Module& module : modules) text += module.name + "=0, 0, 0, 0, C\r\n";
    return text;
}

// Module names in the code page and in UTF-16, each ended by a zero.
std::string ProjectWmStream(const std::vector<Module>& modules) {
    std::string out;
    for (const Module& module : modules) {
        out += module.name;
        out.push_back('\0');
        out += Utf16(module.name);
        Append16(out, 0);
    }
    Append16(out, 0);
    return out;
}

std::string DirStream(const std::vector<Module>& modules) {
    std::string out;
    // Project information.
    Record32(out, 0x0001, kWin32);
    Record32(out, 0x0002, kLcid);
    Record32(out, 0x0014, kLcid);  // LCID for invoking the project's procedures
    Record16(out, 0x0003, kCodePage);
    Record(out, 0x0004, kProjectName);
    TextRecord(out, 0x0005, 0x0040, "");  // description
    TextRecord(out, 0x0006, 0x003D, "");  // help file (twice in the code page, both empty)
    Record32(out, 0x0007, 0);             // help context
    Record32(out, 0x0008, 0);             // library flags
    // The version record's size field says 4 but six bytes follow.
    Append16(out, 0x0009);
    Append32(out, 4);
    Append32(out, 1);  // major
    Append16(out, 0);  // minor
    TextRecord(out, 0x000C, 0x003C, "");  // conditional compilation constants

    // References: stdole, registered.
    TextRecord(out, 0x0016, 0x003E, kStdoleName);
    std::string registered;
    Append32(registered, static_cast<std::uint32_t>(kStdoleLibid.size()));
    registered += kStdoleLibid;
    Append32(registered, 0);
    Append16(registered, 0);
    Record(out, 0x000D, registered);

    // Modules.
    Record16(out, 0x000F, static_cast<std::uint16_t>(modules.size()));
    Record16(out, 0x0013, 0xFFFF);  // project cookie
    for (const Module& module : modules) {
        Record(out, 0x0019, module.name);
        Record(out, 0x0047, Utf16(module.name));
        TextRecord(out, 0x001A, 0x0032, module.name);  // stream name
        TextRecord(out, 0x001C, 0x0048, "");           // description
        Record32(out, 0x0031, 0);                      // the source starts the stream: no compiled code before it
        Record32(out, 0x001E, 0);                      // help context
        Record16(out, 0x002C, 0xFFFF);                 // module cookie
        // Document or procedural, then the module's end: an id and four
        // reserved zero bytes each, where other records have their size.
        Record(out, module.document ? 0x0022 : 0x0021, "");
        Record(out, 0x002B, "");
    }
    Record(out, 0x0010, "");  // end of the stream
    return out;
}

}  // namespace

std::string VbaProjectBin(const ModuleSource& source) {
    const std::vector<Module> modules = {
        {std::string(kWorkbookCodeName), DocumentModuleText(kWorkbookCodeName, kWorkbookClass), true},
        {std::string(kSheetCodeName), DocumentModuleText(kSheetCodeName, kWorksheetClass), true},
        {source.name, source.text, false},
    };
    formats::cfb::CompoundFileWriter file;
    file.AddStream("PROJECT", ProjectStream(modules));
    file.AddStream("PROJECTwm", ProjectWmStream(modules));
    // Version 0xFFFF and no cache after the header: compile from the source.
    file.AddStream("VBA/_VBA_PROJECT", std::string("\xCC\x61\xFF\xFF\x00\x00\x00", 7));
    file.AddStream("VBA/dir", formats::ovba::Compress(DirStream(modules)));
    for (const Module& module : modules) file.AddStream("VBA/" + module.name, formats::ovba::Compress(module.text));
    return file.Finish();
}

}  // namespace brackwell::addin

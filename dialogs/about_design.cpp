// frmAbout as designed: title, version and description beside a picture
// strip, a separator and the homepage address, under a bar with "OK",
// "Systeminfo..." and "Homepage".

#include "dialogs/frm_about.h"

namespace brackwell {
namespace {

ControlDesign Label(const char* name, std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
    ControlDesign c;
    c.name = name;
    c.kind = ControlKind::Label;
    c.left = left;
    c.top = top;
    c.width = width;
    c.height = height;
    return c;
}

ControlDesign SeparatorLine(std::int32_t index, std::int32_t from, std::int32_t to, Color color) {
    ControlDesign c;
    c.name = "Line1";
    c.index = index;
    c.kind = ControlKind::Line;
    c.left = from;
    c.top = 4500;
    c.width = to - from;
    c.height = 0;
    c.foreColor = color;
    return c;
}

FormDesign MakeAboutDesign() {
    using namespace toolbar_style;
    using namespace tooltip_icon;
    FormDesign d;
    d.name = "frmAbout";
    d.caption = "";  // set when the box loads
    d.clientWidth = 7185;
    d.clientHeight = 5175;
    d.backColor = 0xFFFFFF;
    d.border = FormBorder::FixedDialog;
    d.position = FormPosition::CenterScreen;
    d.font = ControlFont{"Verdana", 8.25};
    d.bar.buttons = {
        {"mnuOk", kPlain, "OK", 6001, "", "... schließen", kNone, 47, true, {}},
        {"mnuSys", kPlain, "Systeminfo...", 6004, "", "", kNone, 106, true, {}},
        {"", kSeparator, "", 0, "", "", kNone, 15, true, {}},
        {"mnuUrl", kPlain, "Homepage", 6240, "Weitere Tools", std::string("... ") + kHomepage, kInfo, 90, true, {}},
    };

    ControlDesign strip;
    strip.name = "picIcon";
    strip.kind = ControlKind::Picture;
    strip.left = 0;
    strip.top = 450;
    strip.width = 900;
    strip.height = 4665;
    strip.image = 6218;
    d.controls.push_back(strip);

    ControlDesign title = Label("lblTitle", 1125, 615, 5685, 480);
    title.font = ControlFont{"Verdana", 9, true};
    d.controls.push_back(title);
    ControlDesign version = Label("lblVersion", 1125, 1155, 5685, 225);
    version.font = ControlFont{"Verdana", 9};
    d.controls.push_back(version);
    ControlDesign description = Label("lblDescription", 1125, 1725, 5685, 1920);
    description.foreColor = 0x000000;
    description.wrap = true;
    d.controls.push_back(description);
    d.controls.push_back(SeparatorLine(0, 1065, 6825, 0x808080));
    d.controls.push_back(SeparatorLine(1, 1080, 6629, 0xFFFFFF));
    ControlDesign url = Label("lblURL", 1050, 4725, 1890, 225);
    url.caption = kHomepage;
    url.foreColor = 0x800000;  // navy
    url.clickable = true;
    d.controls.push_back(url);
    return d;
}

}  // namespace

const FormDesign& AboutFormDesign() {
    static const FormDesign design = MakeAboutDesign();
    return design;
}

}  // namespace brackwell

// frmOptions ("Einstellungen") as designed: theme and drag option groups in
// their white containers, the tree's colours and check boxes, beside a
// picture strip and under a bar with "OK" and "Abbrechen".

#include "dialogs/frm_options.h"

namespace brackwell {
namespace {

ControlDesign Control(const char* name, std::int32_t index, ControlKind kind, const char* caption,
                      std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
    ControlDesign c;
    c.name = name;
    c.index = index;
    c.kind = kind;
    c.caption = caption;
    c.left = left;
    c.top = top;
    c.width = width;
    c.height = height;
    return c;
}

ControlDesign Heading(const char* name, const char* caption, std::int32_t left, std::int32_t top,
                      std::int32_t width) {
    ControlDesign c = Control(name, -1, ControlKind::Label, caption, left, top, width, 240);
    c.font = ControlFont{"Verdana", 8.25, false, true};
    return c;
}

ControlDesign Option(const char* name, std::int32_t index, const char* caption, const char* container,
                     std::int32_t top, std::int32_t width) {
    ControlDesign c = Control(name, index, ControlKind::OptionButton, caption, 150, top, width, 240);
    c.container = container;
    return c;
}

ControlDesign ColorBox(std::int32_t index, std::int32_t top, const char* label) {
    ControlDesign c = Control("picFore", index, ControlKind::ColorBox, "", 5475, top, 315, 240);
    c.borderStyle = 1;
    c.clickable = true;
    c.chooserLabel = label;
    return c;
}

FormDesign MakeOptionsDesign() {
    using namespace toolbar_style;
    using namespace tooltip_icon;
    FormDesign d;
    d.name = "frmOptions";
    d.caption = "Einstellungen";
    d.clientWidth = 8745;
    d.clientHeight = 5130;
    d.backColor = 0xFFFFFF;
    d.border = FormBorder::FixedSingle;
    d.position = FormPosition::CenterScreen;
    d.font = ControlFont{"Verdana", 8.25};
    d.bar.buttons = {
        {"mnuOk", kPlain, "OK", 6001, "", "... Einstellungen übernehmen", kNone, 47, true, {}},
        {"mnuCancel", kPlain, "Abbrechen", 6002, "", "... Aktion abbrechen", kNone, 91, true, {}},
    };

    ControlDesign strip = Control("picIcon", -1, ControlKind::Picture, "", 0, 450, 900, 4665);
    strip.image = 6944;
    d.controls.push_back(strip);

    d.controls.push_back(Heading("Label1", "Design", 1050, 525, 1140));
    ControlDesign themes = Control("Picture1", -1, ControlKind::Container, "", 1050, 825, 2415, 915);
    themes.backColor = 0xFFFFFF;
    d.controls.push_back(themes);
    d.controls.push_back(Option("optXP", -1, "Office XP", "Picture1", 75, 2115));
    d.controls.push_back(Option("optOffice03", -1, "Office 2003", "Picture1", 450, 1965));

    d.controls.push_back(Heading("Label2", "Drag&&Drop", 1050, 2400, 1215));
    ControlDesign drags = Control("Picture2", -1, ControlKind::Container, "", 1050, 2625, 3015, 1065);
    drags.backColor = 0xFFFFFF;
    d.controls.push_back(drags);
    d.controls.push_back(Option("optDraging", 1, "Auswahlmenü anzeigen", "Picture2", 75, 2715));
    d.controls.push_back(Option("optDraging", 2, "immer kopieren", "Picture2", 375, 2415));
    d.controls.push_back(Option("optDraging", 3, "immer verschieben", "Picture2", 675, 2415));

    d.controls.push_back(
        Control("chkMapExpand", -1, ControlKind::CheckBox, "Inaktive Arbeitsmappen aufklappen", 1050, 4500, 4515, 315));

    d.controls.push_back(Heading("Label3", "Darstellung/Anzeige", 3975, 525, 2115));
    d.controls.push_back(Control("Label4", -1, ControlKind::Label, "Arbeitsmappen", 3975, 825, 1365, 240));
    d.controls.push_back(ColorBox(0, 825, "Label4"));
    d.controls.push_back(Control("Label5", -1, ControlKind::Label, "Tabellenblätter", 3975, 1200, 1440, 240));
    d.controls.push_back(ColorBox(1, 1200, "Label5"));
    d.controls.push_back(Control("Label6", -1, ControlKind::Label, "Bereiche", 3975, 1575, 1440, 240));
    d.controls.push_back(ColorBox(2, 1575, "Label6"));
    ControlDesign tabColor =
        Control("chkForeReg", -1, ControlKind::CheckBox, "Blattregisterfarbe übernehmen", 6000, 1125, 1890, 390);
    tabColor.wrap = true;
    d.controls.push_back(tabColor);
    return d;
}

}  // namespace

const FormDesign& OptionsFormDesign() {
    static const FormDesign design = MakeOptionsDesign();
    return design;
}

}  // namespace brackwell

// COM add-ins loaded from the user's list as Excel loads them: the call
// order at the start, through the COM Add-ins dialog and at the close, the
// objects OnConnection gets, the soft disable of an add-in whose start
// fails, and ribbon XML accepted or refused as a whole.

#include <gtest/gtest.h>

#include "adapters/windows/common/utf.h"
#include "excel_standin/office/addin_registry.h"
#include "excel_standin/office/ribbon_xml.h"
#include "tests/windows/dispatch_call.h"
#include "tests/windows_office/office_scene.h"

namespace brackwell::office::test {
namespace {

using Calls = std::vector<std::string>;

constexpr wchar_t kHomeGroup[] =
    LR"(<customUI xmlns="http://schemas.microsoft.com/office/2009/07/customui" onLoad="OnLoad">
  <ribbon><tabs><tab idMso="TabHome">
    <group id="grpFake" label="Fake">
      <toggleButton id="tglFake" label="Navigator" imageMso="Folder" size="large" tag="t1"
                    screentip="Navigator" supertip="Zeigt den Navigator." onAction="OnToggle" getPressed="GetPressed"/>
      <button id="btnFake" label="Aktualisieren" imageMso="Refresh" onAction="OnRefresh"/>
    </group>
  </tab></tabs></ribbon>
</customUI>)";

DWORD LoadBehavior() { return FindRegisteredAddIn(kFakeAddInProgId).loadBehavior; }

TEST(ComAddInLoading, StartDialogAndCloseCallTheAddInInExcelsOrder) {
    OfficeScene scene("16.0");
    AddInLog().ribbonXml = kHomeGroup;
    scene.addIns->Startup();
    EXPECT_EQ(AddInLog().calls, (Calls{"OnConnection 1", "GetCustomUI Microsoft.Excel.Workbook", "OnLoad",
                                       "CTPFactoryAvailable", "OnAddInsUpdate", "OnStartupComplete"}));
    // OnConnection's objects: Excel's Application, the add-in's COMAddIn, custom(1) = 1 (started by the user).
    EXPECT_EQ(win::Identity(AddInLog().application.Get()), win::Identity(scene.application.Get()));
    EXPECT_EQ(win::test::Get(AddInLog().comAddIn.Get(), L"ProgId").value.Get().bstrVal,
              std::wstring_view(kFakeAddInProgId));
    EXPECT_EQ(V_VT(&AddInLog().customFirst), VT_I4);
    EXPECT_EQ(V_I4(&AddInLog().customFirst), 1);
    ASSERT_TRUE(AddInLog().ribbonUi && AddInLog().factory);
    ASSERT_EQ(scene.addIns->Ribbons().size(), 1u);
    EXPECT_TRUE(scene.addIns->List().at(0).loaded);

    // Unticked in the COM Add-ins dialog, then ticked again.
    AddInLog().calls.clear();
    ASSERT_TRUE(scene.addIns->Disconnect(kFakeAddInProgId));
    EXPECT_EQ(AddInLog().calls, (Calls{"OnDisconnection 1"}));
    EXPECT_EQ(LoadBehavior(), 2u);
    EXPECT_TRUE(scene.addIns->Ribbons().empty());
    AddInLog().Reset();
    EXPECT_EQ(AddInLog().alive, 0) << "the unloaded add-in is released";
    AddInLog().ribbonXml = kHomeGroup;
    ASSERT_TRUE(scene.addIns->Connect(kFakeAddInProgId));
    EXPECT_EQ(AddInLog().calls, (Calls{"OnConnection 0", "GetCustomUI Microsoft.Excel.Workbook", "OnLoad",
                                       "CTPFactoryAvailable", "OnAddInsUpdate"}));
    EXPECT_EQ(LoadBehavior(), 3u);

    AddInLog().calls.clear();
    scene.addIns->Shutdown();
    EXPECT_EQ(AddInLog().calls, (Calls{"OnBeginShutdown", "OnDisconnection 0"}));
    EXPECT_EQ(LoadBehavior(), 3u) << "closing Excel keeps the add-in on for the next start";
    AddInLog().Reset();
    EXPECT_EQ(AddInLog().alive, 0);
}

TEST(ComAddInLoading, AFailingStartDisablesTheAddInSoftly) {
    {
        OfficeScene scene("16.0");
        AddInLog().connectResult = E_FAIL;
        AddInLog().ribbonXml = kHomeGroup;
        scene.addIns->Startup();
        EXPECT_EQ(AddInLog().calls, (Calls{"OnConnection 1"}));
        EXPECT_EQ(AddInLog().alive, 0) << "released at once";
        EXPECT_EQ(LoadBehavior(), 2u);
        const ComAddInEntry entry = scene.addIns->List().at(0);
        EXPECT_FALSE(entry.loaded);
        EXPECT_FALSE(entry.problem.empty());
    }
    OfficeScene next("16.0", 2);  // the next start
    next.addIns->Startup();
    EXPECT_TRUE(AddInLog().calls.empty()) << "a softly disabled add-in waits for the dialog";
}

TEST(ComAddInLoading, RibbonXmlIsAppliedWholeOrNotAtAll) {
    const ParsedCustomUi accepted = ParseCustomUi(kHomeGroup);
    ASSERT_TRUE(accepted.ui) << win::WideToUtf8(accepted.error);
    const RibbonTabSpec& home = accepted.ui->tabs.at(0);
    EXPECT_EQ(home.idMso, L"TabHome");
    const RibbonControlSpec& toggle = home.groups.at(0).controls.at(0);
    EXPECT_EQ(toggle.kind, RibbonControlKind::ToggleButton);
    EXPECT_TRUE(toggle.large);
    EXPECT_EQ(toggle.getPressed, L"GetPressed");
    EXPECT_EQ(toggle.supertip, L"Zeigt den Navigator.");

    const std::wstring ns2006 = L"http://schemas.microsoft.com/office/2006/01/customui";
    EXPECT_TRUE(ParseCustomUi(L"<?xml version=\"1.0\" encoding=\"utf-8\"?><customUI xmlns=\"" + ns2006 +
                              L"\"><ribbon><tabs><tab id=\"t\" label=\"T\"/></tabs></ribbon></customUI>")
                    .ui);
    const std::wstring refused[] = {
        L"<customUI xmlns=\"urn:other\"/>",
        L"<customUI xmlns=\"" + ns2006 + L"\"><ribbon>",
        L"<customUI xmlns=\"" + ns2006 + L"\"><ribbon><qat/></ribbon></customUI>",
        L"<customUI xmlns=\"" + ns2006 + L"\"><ribbon><tabs><tab id=\"a\" colour=\"red\"/></tabs></ribbon></customUI>",
        L"<customUI xmlns=\"" + ns2006 + L"\"><ribbon><tabs><tab id=\"a\"><group id=\"a\"/></tab></tabs></ribbon></customUI>",
        L"<customUI xmlns=\"" + ns2006 + L"\"><ribbon><tabs><tab id=\"a\" idMso=\"TabHome\"/></tabs></ribbon></customUI>",
        L"<customUI xmlns=\"" + ns2006 + L"\"><ribbon><tabs><tab idMso=\"TabHome\"><group id=\"g\"><button id=\"b\" size=\"huge\"/></group></tab></tabs></ribbon></customUI>",
        L"<customUI xmlns=\"" + ns2006 + L"\"><ribbon>Text</ribbon></customUI>",
        L"<customUI xmlns=\"" + ns2006 + L"\"><ribbon><tabs><tab id=\"1a\"/></tabs></ribbon></customUI>",
    };
    for (const std::wstring& xml : refused) {
        const ParsedCustomUi parsed = ParseCustomUi(xml);
        EXPECT_FALSE(parsed.ui) << win::WideToUtf8(xml);
        EXPECT_FALSE(parsed.error.empty());
    }

    // Refused by the loader: the add-in runs, without any of its ribbon.
    OfficeScene scene("16.0");
    AddInLog().ribbonXml = refused[3];
    scene.addIns->Startup();
    EXPECT_TRUE(scene.addIns->Ribbons().empty());
    EXPECT_TRUE(scene.addIns->List().at(0).loaded);
    EXPECT_NE(scene.addIns->List().at(0).problem.find(L"colour"), std::wstring::npos);
    EXPECT_EQ(std::count(AddInLog().calls.begin(), AddInLog().calls.end(), "OnLoad"), 0);
}

}  // namespace
}  // namespace brackwell::office::test

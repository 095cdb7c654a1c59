// The facade as an automation client sees it when calling IDispatch by hand:
// the host's names, DISPIDs, argument rules and failure codes, and facade
// objects that live exactly as long as someone holds them.

#include <gtest/gtest.h>

#include "adapters/windows/common/bstr.h"
#include "adapters/windows/common/variant_convert.h"
#include "excel_standin/facade/excel_dispids.h"
#include "tests/windows/facade_fixture.h"

namespace brackwell::win::test {
namespace {

constexpr WORD kGet = DISPATCH_METHOD | DISPATCH_PROPERTYGET;

std::string TextOf(const CallResult& result) {
    EXPECT_EQ(result.hr, S_OK) << result.description;
    return result.value.Type() == VT_BSTR ? BstrToUtf8(V_BSTR(&result.value.Get())) : std::string("<kein Text>");
}

using FacadeDispatch = FacadeTest;

TEST_F(FacadeDispatch, NamesResolveToTheHostsDispidsWithoutRegardToCase) {
    EXPECT_EQ(IdOf(facade.Get(), L"Workbooks"), 572);
    EXPECT_EQ(IdOf(facade.Get(), L"GETOPENFILENAME"), 1075);
    auto sheets = FacadeSheets();
    EXPECT_EQ(IdOf(sheets.Get(), L"Item"), 170);
    EXPECT_EQ(IdOf(sheets.Get(), L"_Default"), DISPID_VALUE);
    EXPECT_EQ(IdOf(sheets.Get(), L"_NewEnum"), DISPID_NEWENUM);
    EXPECT_EQ(IdOf(facade.Get(), L"Quit"), DISPID_UNKNOWN);
}

// Every worksheet says it is the host's _Worksheet, so a client keying
// DISPIDs by type learns the members once for all of them.
TEST_F(FacadeDispatch, ObjectsSayTheirTypeAsTheHostsTypeLibraryNamesIt) {
    const auto typeOf = [](IDispatch* object) {
        UINT count = 0;
        EXPECT_EQ(object->GetTypeInfoCount(&count), S_OK);
        EXPECT_EQ(count, 1u);
        ComPtr<ITypeInfo> type;
        EXPECT_EQ(object->GetTypeInfo(0, 1033, type.Receive()), S_OK);
        return type;
    };
    const auto first = typeOf(FacadeSheet(Variant::Int32(1)).Get());
    ASSERT_TRUE(first);
    EXPECT_EQ(first.Get(), typeOf(FacadeSheet(Variant::Int32(3)).Get()).Get());
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(first->GetTypeAttr(&attributes), S_OK);
    const GUID worksheet = {0x000208D8, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
    EXPECT_TRUE(IsEqualGUID(attributes->guid, worksheet));
    EXPECT_EQ(attributes->typekind, TKIND_DISPATCH);
    first->ReleaseTypeAttr(attributes);
    Bstr name;
    EXPECT_EQ(first->GetDocumentation(MEMBERID_NIL, name.Receive(), nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(name.ToUtf8(), "_Worksheet");
    LPOLESTR member[] = {const_cast<LPOLESTR>(L"protectcontents")};
    MEMBERID id = 0;
    EXPECT_EQ(first->GetIDsOfNames(member, 1, &id), S_OK);
    EXPECT_EQ(id, dispid::kProtectContents);
    UINT count = 0;
    EXPECT_EQ(first->GetNames(dispid::kName, name.Receive(), 1, &count), S_OK);
    EXPECT_EQ(name.ToUtf8(), "Name");

    auto workbook = ObjectOf(Get(facade.Get(), L"ActiveWorkbook"));
    ASSERT_EQ(typeOf(workbook.Get())->GetTypeAttr(&attributes), S_OK);
    EXPECT_TRUE(IsEqualGUID(attributes->guid, GUID{0x000208DA, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}}));
    ComPtr<ITypeInfo> none;
    EXPECT_EQ(workbook->GetTypeInfo(1, 1033, none.Receive()), DISP_E_BADINDEX);
}

TEST_F(FacadeDispatch, MembersAnswerOnlyTheUsesTheySupportAndGetsTakeEitherInvokeFlag) {
    EXPECT_EQ(InvokeId(facade.Get(), 4711, kGet).hr, DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(Put(facade.Get(), L"Version", Variant::Text("12.0")).hr, DISP_E_MEMBERNOTFOUND);
    auto bar = ObjectOf(Get(ObjectOf(Get(facade.Get(), L"CommandBars")).Get(), L"Add",
                            Args(Variant::Text("BrackwellBar"))));
    EXPECT_EQ(Put(bar.Get(), L"Visible", Variant::Bool(true)).hr, S_OK);
    EXPECT_EQ(Get(bar.Get(), L"Visible").hr, DISP_E_MEMBERNOTFOUND);  // the port cannot read it
    DISPPARAMS none{};
    EXPECT_EQ(facade->Invoke(dispid::kVersion, IID_IDispatch, 1033, kGet, &none, nullptr, nullptr, nullptr),
              DISP_E_UNKNOWNINTERFACE);

    for (const WORD flags : {WORD(DISPATCH_METHOD), WORD(DISPATCH_PROPERTYGET), kGet}) {
        EXPECT_EQ(InvokeId(facade.Get(), dispid::kVersion, flags).hr, S_OK) << flags;
        EXPECT_EQ(InvokeId(FacadeSheet(Variant::Int32(2)).Get(), dispid::kActivate, flags).hr, S_OK) << flags;
    }
    EXPECT_EQ(host.CurrentSelection().sheet, "売上");
}

TEST_F(FacadeDispatch, WrongCountsAreBadParamCountAndValuesThatDoNotConvertNameTheArgument) {
    auto sheets = FacadeSheets();
    EXPECT_EQ(Get(sheets.Get(), L"Item").hr, DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(Get(sheets.Get(), L"Item", Args(Variant::Int32(1), Variant::Int32(2))).hr, DISP_E_BADPARAMCOUNT);
    // Count(1): a number has no default member to take the argument.
    EXPECT_EQ(Get(sheets.Get(), L"Count", Args(Variant::Int32(1))).hr, DISP_E_BADPARAMCOUNT);
    auto sheet = FacadeSheet(Variant::Int32(1));
    EXPECT_EQ(Get(sheet.Get(), L"Delete", Args(Variant::Bool(true))).hr, DISP_E_BADPARAMCOUNT);
    const auto twoNames = Args(Variant::Text("a"), Variant::Text("b"));
    EXPECT_EQ(InvokeId(sheet.Get(), dispid::kName, DISPATCH_PROPERTYPUT, twoNames).hr, DISP_E_BADPARAMCOUNT);

    CallResult result = Put(ObjectOf(Get(sheet.Get(), L"Tab")).Get(), L"ColorIndex", Variant::Text("rot"));
    EXPECT_EQ(result.hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(result.argError, 0u);
    // Move(Before, After): Before is last in rgvarg's reverse order.
    result = Get(sheet.Get(), L"Move", Args(Variant::Text("Daten"), Variant::Missing()));
    EXPECT_EQ(result.hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(result.argError, 1u);
    // An object, but not one of this host's sheets.
    auto workbook = ObjectOf(Get(facade.Get(), L"ActiveWorkbook"));
    result = Get(sheet.Get(), L"Copy", Args(Variant::Missing(), Variant::Object(workbook)));
    EXPECT_EQ(result.hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(result.argError, 0u);
    EXPECT_EQ(host.Snapshot(book).sheets.size(), 3u);
}

TEST_F(FacadeDispatch, ItemFindsByAnyNumberByNameAndThroughVariablesPassedByReference) {
    auto sheets = FacadeSheets();
    for (const VARTYPE type : {VARTYPE(VT_I2), VARTYPE(VT_I4), VARTYPE(VT_R8), VARTYPE(VT_UI1)}) {
        EXPECT_EQ(TextOf(Get(FacadeSheet(Number(type, 2)).Get(), L"Name")), "売上") << type;
    }
    EXPECT_EQ(TextOf(Get(FacadeSheet(Variant::Text("Daten")).Get(), L"Name")), "Daten");
    auto byDefault = ObjectOf(InvokeId(sheets.Get(), DISPID_VALUE, kGet, Args(Variant::Int32(1))));
    EXPECT_EQ(TextOf(Get(byDefault.Get(), L"Name")), "Übersicht");
    EXPECT_EQ(Get(sheets.Get(), L"Item", Args(Variant::Text("Fehlt"))).scode, static_cast<HRESULT>(0x800A0009));
    // wb.Worksheets(2), as VBScript and VB write it: one call with an argument.
    auto workbook = ObjectOf(Get(facade.Get(), L"ActiveWorkbook"));
    EXPECT_EQ(TextOf(Get(ObjectOf(Get(workbook.Get(), L"Worksheets", Args(Variant::Int32(2)))).Get(), L"Name")),
              "売上");

    Variant position = Variant::Int32(3);
    EXPECT_EQ(TextOf(Get(FacadeSheet(ByRef(position)).Get(), L"Name")), "Daten");
    Variant name = Variant::Text("売上");
    Variant newName = Variant::Text("Verkäufe");
    EXPECT_EQ(Put(FacadeSheet(ByRef(name)).Get(), L"Name", ByRef(newName)).hr, S_OK);
    EXPECT_EQ(host.Snapshot(book).sheets[1].name, "Verkäufe");

    // Names.Item is a method, and finds names without regard to case.
    host.AddName(book, "Daten", "=Übersicht!$A$1:$B$9");
    auto names = ObjectOf(Get(workbook.Get(), L"Names"));
    auto byPosition = ObjectOf(InvokeId(names.Get(), dispid::kItem, DISPATCH_METHOD, Args(Variant::Int32(1))));
    EXPECT_EQ(TextOf(Get(byPosition.Get(), L"RefersTo")), "=Übersicht!$A$1:$B$9");
    EXPECT_EQ(TextOf(Get(ObjectOf(Get(names.Get(), L"Item", Args(Variant::Text("DATEN")))).Get(), L"Name")), "Daten");
    EXPECT_EQ(Get(names.Get(), L"Item", Args(Variant::Text("Fehlt"))).scode, static_cast<HRESULT>(0x800A03EC));
}

TEST_F(FacadeDispatch, HostFailuresArriveAsExceptionsWithNumberSourceAndText) {
    host.FailAlways("Workbook.Name", 1004, "Die Name-Eigenschaft des Workbook-Objektes kann nicht zugeordnet werden");
    auto workbook = ObjectOf(Get(facade.Get(), L"ActiveWorkbook"));
    CallResult result = Get(workbook.Get(), L"Name");
    EXPECT_EQ(result.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(result.scode, static_cast<HRESULT>(0x800A03EC));
    EXPECT_EQ(result.source, L"Microsoft Excel");
    EXPECT_EQ(result.description, "Die Name-Eigenschaft des Workbook-Objektes kann nicht zugeordnet werden");
    host.ClearFaults();

    // An argument the port cannot carry must be omitted.
    auto workbooks = ObjectOf(Get(facade.Get(), L"Workbooks"));
    EXPECT_EQ(Get(workbooks.Get(), L"Add", Args(Variant::Text("Vorlage.xltx"))).scode,
              static_cast<HRESULT>(0x800A0005));
    EXPECT_EQ(Get(workbooks.Get(), L"Add", Args(Variant::Missing())).hr, S_OK);

    // An object of a closed workbook: the number is no VB number but an HRESULT.
    auto sheet = FacadeSheet(Variant::Int32(1));
    EXPECT_EQ(Get(workbook.Get(), L"Close", Args(Variant::Bool(false))).hr, S_OK);
    result = Get(sheet.Get(), L"Name");
    EXPECT_EQ(result.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(result.scode, static_cast<HRESULT>(0x800401A8));
}

TEST_F(FacadeDispatch, GetOpenFilenameGivesFalseATextOrAVariantArrayFromOne) {
    host.User().openFileAnswers.push(false);
    host.User().openFileAnswers.push(std::string("C:\\Daten\\Plan.xlsx"));
    host.User().openFileAnswers.push(std::vector<std::string>{"C:\\Daten\\a.xlsx", "C:\\Daten\\売上.xlsx"});
    const auto multiSelect = [] {
        return Args(Variant::Text("Excel-Dateien (*.xls*),*.xls*"), Variant::Missing(), Variant::Missing(),
                    Variant::Missing(), Variant::Bool(true));
    };
    CallResult result = Get(facade.Get(), L"GetOpenFilename", multiSelect());
    ASSERT_EQ(result.value.Type(), VT_BOOL);
    EXPECT_EQ(V_BOOL(&result.value.Get()), VARIANT_FALSE);
    EXPECT_EQ(TextOf(Get(facade.Get(), L"GetOpenFilename")), "C:\\Daten\\Plan.xlsx");

    result = Get(facade.Get(), L"GetOpenFilename", multiSelect());
    ASSERT_EQ(result.value.Type(), VT_ARRAY | VT_VARIANT);
    SAFEARRAY* array = V_ARRAY(&result.value.Get());
    LONG lower = 0;
    LONG upper = 0;
    EXPECT_EQ(SafeArrayGetDim(array), 1u);
    SafeArrayGetLBound(array, 1, &lower);
    SafeArrayGetUBound(array, 1, &upper);
    EXPECT_EQ(lower, 1);
    EXPECT_EQ(upper, 2);
    Variant second;
    LONG index = 2;
    ASSERT_EQ(SafeArrayGetElement(array, &index, second.Receive()), S_OK);
    EXPECT_EQ(ToUtf8(second.Get()), "C:\\Daten\\売上.xlsx");
}

TEST_F(FacadeDispatch, NewEnumListsTheCollectionForForEach) {
    host.CreateWorkbook("Mappe2");
    const CallResult result = InvokeId(ObjectOf(Get(facade.Get(), L"Workbooks")).Get(), DISPID_NEWENUM, kGet);
    ASSERT_EQ(result.value.Type(), VT_UNKNOWN);
    auto items = ComPtr<IUnknown>(V_UNKNOWN(&result.value.Get())).Query<IEnumVARIANT>();
    ASSERT_TRUE(items);
    std::vector<std::string> names;
    Variant item;
    ULONG fetched = 0;
    while (items->Next(1, item.Receive(), &fetched) == S_OK)
        names.push_back(TextOf(Get(ToObject(item.Get()).Get(), L"Name")));
    EXPECT_EQ(names, (std::vector<std::string>{"Umsatz.xlsx", "Mappe2"}));
    EXPECT_EQ(items->Reset(), S_OK);
    EXPECT_EQ(items->Skip(3), S_FALSE);
}

TEST_F(FacadeDispatch, AReleasedFacadeIsMadeAfreshNotHandedOutAgain) {
    const std::int64_t withApplication = LiveFacadeObjects();
    auto first = ObjectOf(Get(facade.Get(), L"ActiveSheet"));
    EXPECT_EQ(ReferenceCount(first.Get()), 1u);  // the identity table does not hold it
    first.Reset();
    EXPECT_EQ(LiveFacadeObjects(), withApplication);
    auto second = ObjectOf(Get(facade.Get(), L"ActiveSheet"));
    EXPECT_EQ(ReferenceCount(second.Get()), 1u);
    EXPECT_EQ(LiveFacadeObjects(), withApplication + 1);
}

TEST_F(FacadeDispatch, TheSamePortObjectGivesTheSameFacadeObjectAndAnchorsAreTheHostsOwnSheets) {
    auto first = FacadeSheet(Variant::Int32(1));
    EXPECT_EQ(Identity(first.Get()), Identity(FacadeSheet(Variant::Text("Übersicht")).Get()));
    EXPECT_EQ(Identity(first.Get()), Identity(ObjectOf(Get(facade.Get(), L"ActiveSheet")).Get()));
    auto last = FacadeSheet(Variant::Int32(3));
    EXPECT_NE(Identity(first.Get()), Identity(last.Get()));

    EXPECT_EQ(Get(last.Get(), L"Move", Args(Variant::Object(first))).hr, S_OK);
    EXPECT_EQ(Get(first.Get(), L"Copy", Args(Variant::Missing(), Variant::Object(last))).hr, S_OK);
    std::vector<std::string> order;
    for (const auto& sheet : host.Snapshot(book).sheets) order.push_back(sheet.name);
    EXPECT_EQ(order, (std::vector<std::string>{"Daten", "Übersicht (2)", "Übersicht", "売上"}));
}

}  // namespace
}  // namespace brackwell::win::test

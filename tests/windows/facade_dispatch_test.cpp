// The facade as an automation client sees it when calling IDispatch by hand:
// the host's names, DISPIDs, argument rules and failure codes.

#include <gtest/gtest.h>

#include "adapters/windows/common/bstr.h"
#include "adapters/windows/common/variant_convert.h"
#include "adapters/windows/facade/excel_dispids.h"
#include "tests/windows/facade_fixture.h"

namespace brackwell::win::testing {
namespace {

constexpr WORD kGet = DISPATCH_METHOD | DISPATCH_PROPERTYGET;

std::string TextOf(const RawResult& result) {
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
}

TEST_F(FacadeDispatch, UnknownNamesAndNamedArgumentsAreUnknownNames) {
    LPOLESTR unknown[] = {const_cast<LPOLESTR>(L"Quit")};
    DISPID id = 0;
    EXPECT_EQ(facade->GetIDsOfNames(IID_NULL, unknown, 1, 1033, &id), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(id, DISPID_UNKNOWN);
    LPOLESTR withNamedArg[] = {const_cast<LPOLESTR>(L"GetOpenFilename"), const_cast<LPOLESTR>(L"MultiSelect")};
    DISPID ids[2] = {0, 0};
    EXPECT_EQ(facade->GetIDsOfNames(IID_NULL, withNamedArg, 2, 1033, ids), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids[0], 1075);
    EXPECT_EQ(ids[1], DISPID_UNKNOWN);
}

TEST_F(FacadeDispatch, MembersAreFoundOnlyForTheUsesTheySupport) {
    EXPECT_EQ(InvokeRaw(facade.Get(), 4711, kGet).hr, DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(PutRaw(facade.Get(), L"Version", Variant::Text("12.0")).hr, DISP_E_MEMBERNOTFOUND);
    auto bars = ObjectOf(GetRaw(facade.Get(), L"CommandBars"));
    auto bar = ObjectOf(GetRaw(bars.Get(), L"Add", Args(Variant::Text("BrackwellBar"))));
    EXPECT_EQ(PutRaw(bar.Get(), L"Visible", Variant::Bool(true)).hr, S_OK);
    EXPECT_EQ(GetRaw(bar.Get(), L"Visible").hr, DISP_E_MEMBERNOTFOUND);  // the port cannot read it
    DISPPARAMS none{};
    EXPECT_EQ(facade->Invoke(dispid::kVersion, IID_IDispatch, 1033, kGet, &none, nullptr, nullptr, nullptr),
              DISP_E_UNKNOWNINTERFACE);
}

TEST_F(FacadeDispatch, GetsAndMethodsAcceptEitherInvokeFlag) {
    for (const WORD flags : {WORD(DISPATCH_METHOD), WORD(DISPATCH_PROPERTYGET), kGet}) {
        EXPECT_EQ(InvokeRaw(facade.Get(), dispid::kVersion, flags).hr, S_OK) << flags;
        auto sheet = ObjectOf(GetRaw(FacadeSheets().Get(), L"Item", Args(Variant::Int32(2))));
        EXPECT_EQ(InvokeRaw(sheet.Get(), dispid::kActivate, flags).hr, S_OK) << flags;
    }
    EXPECT_EQ(host.CurrentSelection().sheet, "売上");
}

TEST_F(FacadeDispatch, WrongArgumentCountsAreBadParamCount) {
    auto sheets = FacadeSheets();
    EXPECT_EQ(GetRaw(sheets.Get(), L"Item").hr, DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(GetRaw(sheets.Get(), L"Item", Args(Variant::Int32(1), Variant::Int32(2))).hr,
              DISP_E_BADPARAMCOUNT);
    // Count(1): a number has no default member to take the argument.
    EXPECT_EQ(GetRaw(sheets.Get(), L"Count", Args(Variant::Int32(1))).hr, DISP_E_BADPARAMCOUNT);
    auto sheet = ObjectOf(GetRaw(sheets.Get(), L"Item", Args(Variant::Int32(1))));
    EXPECT_EQ(GetRaw(sheet.Get(), L"Delete", Args(Variant::Bool(true))).hr, DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(InvokeRaw(sheet.Get(), dispid::kName, DISPATCH_PROPERTYPUT,
                        Args(Variant::Text("a"), Variant::Text("b")))
                  .hr,
              DISP_E_BADPARAMCOUNT);
}

TEST_F(FacadeDispatch, ValuesThatDoNotConvertAreTypeMismatchesNamingTheArgument) {
    auto sheets = FacadeSheets();
    auto sheet = ObjectOf(GetRaw(sheets.Get(), L"Item", Args(Variant::Int32(1))));
    auto tab = ObjectOf(GetRaw(sheet.Get(), L"Tab"));
    RawResult result = PutRaw(tab.Get(), L"ColorIndex", Variant::Text("rot"));
    EXPECT_EQ(result.hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(result.argError, 0u);
    // Move(Before, After): Before is last in rgvarg's reverse order.
    result = GetRaw(sheet.Get(), L"Move", Args(Variant::Text("Daten"), Variant::Missing()));
    EXPECT_EQ(result.hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(result.argError, 1u);
    // An object, but not one of this host's sheets.
    auto workbook = ObjectOf(GetRaw(facade.Get(), L"ActiveWorkbook"));
    result = GetRaw(sheet.Get(), L"Copy", Args(Variant::Missing(), Variant::Object(workbook)));
    EXPECT_EQ(result.hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(result.argError, 0u);
    EXPECT_EQ(host.Snapshot(book).sheets.size(), 3u);
}

TEST_F(FacadeDispatch, ItemTakesAnyNumberAsPositionAndTextAsName) {
    auto sheets = FacadeSheets();
    for (const VARTYPE type : {VARTYPE(VT_I2), VARTYPE(VT_I4), VARTYPE(VT_R8), VARTYPE(VT_UI1)}) {
        auto sheet = ObjectOf(GetRaw(sheets.Get(), L"Item", Args(Number(type, 2))));
        EXPECT_EQ(TextOf(GetRaw(sheet.Get(), L"Name")), "売上") << type;
    }
    auto byName = ObjectOf(GetRaw(sheets.Get(), L"Item", Args(Variant::Text("Daten"))));
    EXPECT_EQ(TextOf(GetRaw(byName.Get(), L"Name")), "Daten");
    auto byDefault = ObjectOf(InvokeRaw(sheets.Get(), DISPID_VALUE, kGet, Args(Variant::Int32(1))));
    EXPECT_EQ(TextOf(GetRaw(byDefault.Get(), L"Name")), "Übersicht");
    const RawResult missing = GetRaw(sheets.Get(), L"Item", Args(Variant::Text("Fehlt")));
    EXPECT_EQ(missing.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(missing.scode, static_cast<HRESULT>(0x800A0009));
}

TEST_F(FacadeDispatch, VariablesPassedByReferenceAreReadThrough) {
    Variant position = Variant::Int32(3);
    Variant name = Variant::Text("売上");
    auto sheets = FacadeSheets();
    auto third = ObjectOf(GetRaw(sheets.Get(), L"Item", Args(ByRef(position))));
    EXPECT_EQ(TextOf(GetRaw(third.Get(), L"Name")), "Daten");
    auto named = ObjectOf(GetRaw(sheets.Get(), L"Item", Args(ByRef(name))));
    Variant newName = Variant::Text("Verkäufe");
    EXPECT_EQ(PutRaw(named.Get(), L"Name", ByRef(newName)).hr, S_OK);
    EXPECT_EQ(host.Snapshot(book).sheets[1].name, "Verkäufe");
}

TEST_F(FacadeDispatch, APropertyCalledWithArgumentsPassesThemToItsResultsDefaultMember) {
    // wb.Worksheets(2), as VBScript and VB write it: one call with an argument.
    auto workbook = ObjectOf(GetRaw(facade.Get(), L"ActiveWorkbook"));
    auto sheet = ObjectOf(GetRaw(workbook.Get(), L"Worksheets", Args(Variant::Int32(2))));
    EXPECT_EQ(TextOf(GetRaw(sheet.Get(), L"Name")), "売上");
}

TEST_F(FacadeDispatch, NamesItemIsAMethodThatFindsNamesByPositionOrWithoutCase) {
    host.AddName(book, "Daten", "=Übersicht!$A$1:$B$9");
    auto workbook = ObjectOf(GetRaw(facade.Get(), L"ActiveWorkbook"));
    auto names = ObjectOf(GetRaw(workbook.Get(), L"Names"));
    auto byPosition = ObjectOf(InvokeRaw(names.Get(), dispid::kItem, DISPATCH_METHOD, Args(Variant::Int32(1))));
    EXPECT_EQ(TextOf(GetRaw(byPosition.Get(), L"RefersTo")), "=Übersicht!$A$1:$B$9");
    auto byName = ObjectOf(GetRaw(names.Get(), L"Item", Args(Variant::Text("DATEN"))));
    EXPECT_EQ(TextOf(GetRaw(byName.Get(), L"Name")), "Daten");
    EXPECT_EQ(GetRaw(names.Get(), L"Item", Args(Variant::Text("Fehlt"))).scode,
              static_cast<HRESULT>(0x800A03EC));
}

TEST_F(FacadeDispatch, HostFailuresArriveAsExceptionsWithNumberSourceAndText) {
    host.FailAlways("Workbook.Name", 1004, "Die Name-Eigenschaft des Workbook-Objektes kann nicht zugeordnet werden");
    auto workbook = ObjectOf(GetRaw(facade.Get(), L"ActiveWorkbook"));
    RawResult result = GetRaw(workbook.Get(), L"Name");
    EXPECT_EQ(result.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(result.scode, static_cast<HRESULT>(0x800A03EC));
    EXPECT_EQ(result.source, L"Microsoft Excel");
    EXPECT_EQ(result.description, "Die Name-Eigenschaft des Workbook-Objektes kann nicht zugeordnet werden");
    host.ClearFaults();

    // An object of a closed workbook: the number is no VB number but an HRESULT.
    auto sheet = ObjectOf(GetRaw(FacadeSheets().Get(), L"Item", Args(Variant::Int32(1))));
    EXPECT_EQ(GetRaw(workbook.Get(), L"Close", Args(Variant::Bool(false))).hr, S_OK);
    result = GetRaw(sheet.Get(), L"Name");
    EXPECT_EQ(result.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(result.scode, static_cast<HRESULT>(0x800401A8));
}

TEST_F(FacadeDispatch, ArgumentsThePortCannotCarryMustBeOmitted) {
    auto workbooks = ObjectOf(GetRaw(facade.Get(), L"Workbooks"));
    RawResult result = GetRaw(workbooks.Get(), L"Add", Args(Variant::Text("Vorlage.xltx")));
    EXPECT_EQ(result.scode, static_cast<HRESULT>(0x800A0005));
    EXPECT_EQ(GetRaw(workbooks.Get(), L"Add", Args(Variant::Missing())).hr, S_OK);
}

TEST_F(FacadeDispatch, NoActiveWorkbookIsNothing) {
    book->Close(false);
    for (const wchar_t* member : {L"ActiveWorkbook", L"ActiveSheet"}) {
        const RawResult result = GetRaw(facade.Get(), member);
        EXPECT_EQ(result.hr, S_OK);
        EXPECT_EQ(result.value.Type(), VT_DISPATCH);
        EXPECT_EQ(V_DISPATCH(&result.value.Get()), nullptr);
    }
}

TEST_F(FacadeDispatch, GetOpenFilenameGivesFalseATextOrAVariantArrayFromOne) {
    host.User().openFileAnswers.push(false);
    host.User().openFileAnswers.push(std::string("C:\\Daten\\Plan.xlsx"));
    host.User().openFileAnswers.push(std::vector<std::string>{"C:\\Daten\\a.xlsx", "C:\\Daten\\売上.xlsx"});
    const auto multiSelect = [] {
        return Args(Variant::Text("Excel-Dateien (*.xls*),*.xls*"), Variant::Missing(),
                                Variant::Missing(), Variant::Missing(), Variant::Bool(true));
    };
    RawResult result = GetRaw(facade.Get(), L"GetOpenFilename", multiSelect());
    ASSERT_EQ(result.value.Type(), VT_BOOL);
    EXPECT_EQ(V_BOOL(&result.value.Get()), VARIANT_FALSE);
    result = GetRaw(facade.Get(), L"GetOpenFilename");
    EXPECT_EQ(TextOf(result), "C:\\Daten\\Plan.xlsx");

    result = GetRaw(facade.Get(), L"GetOpenFilename", multiSelect());
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
    EXPECT_EQ(second.Type(), VT_BSTR);
    EXPECT_EQ(ToUtf8(second.Get()), "C:\\Daten\\売上.xlsx");
}

TEST_F(FacadeDispatch, NewEnumListsTheCollectionForForEach) {
    host.CreateWorkbook("Mappe2");
    auto workbooks = ObjectOf(GetRaw(facade.Get(), L"Workbooks"));
    const RawResult result = InvokeRaw(workbooks.Get(), DISPID_NEWENUM, kGet);
    ASSERT_EQ(result.value.Type(), VT_UNKNOWN);
    auto items = ComPtr<IUnknown>(V_UNKNOWN(&result.value.Get())).Query<IEnumVARIANT>();
    ASSERT_TRUE(items);
    std::vector<std::string> names;
    Variant item;
    ULONG fetched = 0;
    while (items->Next(1, item.Receive(), &fetched) == S_OK) {
        names.push_back(TextOf(GetRaw(ToObject(item.Get()).Get(), L"Name")));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Umsatz.xlsx", "Mappe2"}));
    EXPECT_EQ(items->Reset(), S_OK);
    EXPECT_EQ(items->Skip(3), S_FALSE);
}

TEST_F(FacadeDispatch, TheSamePortObjectGivesTheSameFacadeObject) {
    auto first = ObjectOf(GetRaw(FacadeSheets().Get(), L"Item", Args(Variant::Int32(1))));
    auto again = ObjectOf(GetRaw(FacadeSheets().Get(), L"Item", Args(Variant::Text("Übersicht"))));
    auto active = ObjectOf(GetRaw(facade.Get(), L"ActiveSheet"));
    EXPECT_EQ(Identity(first.Get()), Identity(again.Get()));
    EXPECT_EQ(Identity(first.Get()), Identity(active.Get()));
    auto other = ObjectOf(GetRaw(FacadeSheets().Get(), L"Item", Args(Variant::Int32(2))));
    EXPECT_NE(Identity(first.Get()), Identity(other.Get()));
}

TEST_F(FacadeDispatch, AnchorSheetsComeBackAsTheHostsOwnSheets) {
    auto sheets = FacadeSheets();
    auto first = ObjectOf(GetRaw(sheets.Get(), L"Item", Args(Variant::Int32(1))));
    auto last = ObjectOf(GetRaw(sheets.Get(), L"Item", Args(Variant::Int32(3))));
    EXPECT_EQ(GetRaw(last.Get(), L"Move", Args(Variant::Object(first))).hr, S_OK);
    EXPECT_EQ(GetRaw(first.Get(), L"Copy", Args(Variant::Missing(), Variant::Object(last))).hr, S_OK);
    std::vector<std::string> order;
    for (const auto& sheet : host.Snapshot(book).sheets) order.push_back(sheet.name);
    EXPECT_EQ(order, (std::vector<std::string>{"Daten", "Übersicht (2)", "Übersicht", "売上"}));
}

}  // namespace
}  // namespace brackwell::win::testing

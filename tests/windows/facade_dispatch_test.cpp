// The facade as an automation client sees it when calling IDispatch by hand,
// where the host adapter relies on it behaving as the host does: the host's
// names, DISPIDs and type information, look-ups by number and by name, and
// failures as exceptions with the host's number, source and text.

#include <gtest/gtest.h>

#include "adapters/windows/common/bstr.h"
#include "excel_standin/facade/excel_dispids.h"
#include "tests/windows/facade_fixture.h"

namespace brackwell::win::test {
namespace {

std::string TextOf(const CallResult& result) {
    EXPECT_EQ(result.hr, S_OK) << result.description;
    return result.value.Type() == VT_BSTR ? BstrToUtf8(V_BSTR(&result.value.Get())) : std::string("<kein Text>");
}

GUID TypeGuidOf(IDispatch* object) {
    ComPtr<ITypeInfo> type;
    EXPECT_EQ(object->GetTypeInfo(0, 1033, type.Receive()), S_OK);
    TYPEATTR* attributes = nullptr;
    if (!type || type->GetTypeAttr(&attributes) != S_OK) return GUID{};
    const GUID guid = attributes->guid;
    type->ReleaseTypeAttr(attributes);
    return guid;
}

using FacadeDispatch = FacadeTest;

// Every worksheet says it is the host's _Worksheet, so a client keying
// DISPIDs by type learns the members once for all of them.
TEST_F(FacadeDispatch, NamesResolveToTheHostsDispidsAndObjectsSayTheirTypeAsTheHostsTypeLibraryNamesIt) {
    EXPECT_EQ(IdOf(facade.Get(), L"GETOPENFILENAME"), 1075);
    auto sheets = FacadeSheets();
    EXPECT_EQ(IdOf(sheets.Get(), L"_NewEnum"), DISPID_NEWENUM);
    EXPECT_EQ(IdOf(facade.Get(), L"Quit"), DISPID_UNKNOWN);

    auto first = FacadeSheet(Variant::Int32(1));
    const GUID worksheet = {0x000208D8, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
    EXPECT_TRUE(IsEqualGUID(TypeGuidOf(first.Get()), worksheet));
    EXPECT_TRUE(IsEqualGUID(TypeGuidOf(FacadeSheet(Variant::Int32(3)).Get()), worksheet));
    auto workbook = ObjectOf(Get(facade.Get(), L"ActiveWorkbook"));
    EXPECT_TRUE(IsEqualGUID(TypeGuidOf(workbook.Get()), GUID{0x000208DA, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}}));
    ComPtr<ITypeInfo> type;
    ASSERT_EQ(first->GetTypeInfo(0, 1033, type.Receive()), S_OK);
    LPOLESTR member[] = {const_cast<LPOLESTR>(L"protectcontents")};
    MEMBERID id = 0;
    EXPECT_EQ(type->GetIDsOfNames(member, 1, &id), S_OK);
    EXPECT_EQ(id, dispid::kProtectContents);
    EXPECT_EQ(workbook->GetTypeInfo(1, 1033, type.Receive()), DISP_E_BADINDEX);
}

TEST_F(FacadeDispatch, ItemFindsByAnyNumberAndByNameAndAMissingItemIsTheHostsError) {
    for (const VARTYPE type : {VARTYPE(VT_I2), VARTYPE(VT_I4), VARTYPE(VT_R8), VARTYPE(VT_UI1)}) {
        EXPECT_EQ(TextOf(Get(FacadeSheet(Number(type, 2)).Get(), L"Name")), "売上") << type;
    }
    EXPECT_EQ(TextOf(Get(FacadeSheet(Variant::Text("Daten")).Get(), L"Name")), "Daten");
    EXPECT_EQ(Get(FacadeSheets().Get(), L"Item", Args(Variant::Text("Fehlt"))).scode, static_cast<HRESULT>(0x800A0009));
    // Names.Item is a method, and finds names without regard to case.
    host.AddName(book, "Daten", "=Übersicht!$A$1:$B$9");
    auto names = ObjectOf(Get(ObjectOf(Get(facade.Get(), L"ActiveWorkbook")).Get(), L"Names"));
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

    // An object of a closed workbook: the number is no VB number but an HRESULT.
    auto sheet = FacadeSheet(Variant::Int32(1));
    EXPECT_EQ(Get(workbook.Get(), L"Close", Args(Variant::Bool(false))).hr, S_OK);
    EXPECT_EQ(Get(sheet.Get(), L"Name").scode, static_cast<HRESULT>(0x800401A8));
}

}  // namespace
}  // namespace brackwell::win::test

// The type library inside brackwell.dll, as VBA's object browser and early
// binding read it, and the pictures and version resource in the same DLL.

#include <gtest/gtest.h>

#include <windows.h>

#include <ocidl.h>
#include <oleauto.h>
#include <winver.h>

#include <string>
#include <vector>

#include "adapters/windows/common/bstr.h"
#include "tests/windows_com/navigator_fixture.h"

namespace brackwell::win::test {
namespace {

std::wstring NameOf(ITypeInfo* info, MEMBERID id = MEMBERID_NIL) {
    Bstr name;
    info->GetDocumentation(id, name.Receive(), nullptr, nullptr, nullptr);
    return std::wstring(name.View());
}

ComPtr<ITypeInfo> TypeNamed(ITypeLib* library, const std::wstring& name) {
    for (UINT i = 0; i < library->GetTypeInfoCount(); ++i) {
        ComPtr<ITypeInfo> info;
        if (library->GetTypeInfo(i, info.Receive()) == S_OK && NameOf(info.Get()) == name) return info;
    }
    return {};
}

// What one TYPEATTR says, read and released at once.
struct TypeFacts {
    TYPEKIND kind;
    WORD flags;
    WORD functions;
};

TypeFacts FactsOf(ITypeInfo* info) {
    TYPEATTR* attributes = nullptr;
    EXPECT_EQ(info->GetTypeAttr(&attributes), S_OK);
    const TypeFacts facts{attributes->typekind, attributes->wTypeFlags, attributes->cFuncs};
    info->ReleaseTypeAttr(attributes);
    return facts;
}

TEST_F(NavigatorTest, TheTypeLibraryListsTheMembersInOrderWithTheDispidsAndParametersInvokeTakes) {
    ComPtr<ITypeInfo> dispinterface = TypeNamed(ServerDll::Get().TypeLibrary().Get(), L"_Wayfinder");
    ASSERT_TRUE(dispinterface);
    ComPtr<IDispatch> navigator = CreateNavigator();
    ASSERT_TRUE(navigator);
    std::vector<std::wstring> names;
    std::vector<INVOKEKIND> kinds;
    for (WORD i = 0; i < FactsOf(dispinterface.Get()).functions; ++i) {
        FUNCDESC* function = nullptr;
        ASSERT_EQ(dispinterface->GetFuncDesc(i, &function), S_OK);
        names.push_back(NameOf(dispinterface.Get(), function->memid));
        kinds.push_back(function->invkind);
        EXPECT_EQ(IdOf(navigator.Get(), names.back().c_str()), function->memid) << names.back();
        if (names.back() == L"UpdateTree" || names.back() == L"CreateLink") {
            // bClear: Optional ByRef Boolean = False; Wb: ByRef Workbook (an object).
            const bool bClear = names.back() == L"UpdateTree";
            ASSERT_EQ(function->cParams, 1);
            const ELEMDESC& parameter = function->lprgelemdescParam[0];
            EXPECT_EQ(parameter.tdesc.vt, VT_PTR);
            EXPECT_EQ(parameter.tdesc.lptdesc->vt, bClear ? VT_BOOL : VT_DISPATCH);
            const USHORT flags = parameter.paramdesc.wParamFlags;
            EXPECT_TRUE((flags & PARAMFLAG_FIN) && (flags & PARAMFLAG_FOUT));
            EXPECT_EQ((flags & PARAMFLAG_FOPT) != 0, bClear);
            if (bClear) {
                ASSERT_TRUE(flags & PARAMFLAG_FHASDEFAULT);
                Variant asBool;
                VARIANT& value = parameter.paramdesc.pparamdescex->varDefaultValue;
                EXPECT_EQ(VariantChangeType(asBool.Receive(), &value, 0, VT_BOOL), S_OK);
                EXPECT_EQ(V_BOOL(&asBool.Get()), VARIANT_FALSE);
            }
        }
        dispinterface->ReleaseFuncDesc(function);
    }
    EXPECT_EQ(names, (std::vector<std::wstring>{L"mExcel", L"mExcel", L"mExcel", L"SizeOn", L"CreateNavBar",
                                                L"DelNavBar", L"UpdateTree", L"CreateLink"}));
    EXPECT_EQ(kinds, (std::vector<INVOKEKIND>{INVOKE_PROPERTYGET, INVOKE_PROPERTYPUT, INVOKE_PROPERTYPUTREF,
                                              INVOKE_FUNC, INVOKE_FUNC, INVOKE_FUNC, INVOKE_FUNC, INVOKE_FUNC}));
}

TEST_F(NavigatorTest, TheNavigatorDescribesItselfAsTheCreatableClassOfTheLibraryBrackwell) {
    ComPtr<IDispatch> navigator = CreateNavigator();
    ASSERT_TRUE(navigator);
    UINT count = 0;
    EXPECT_EQ(navigator->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    ComPtr<ITypeInfo> info;
    EXPECT_EQ(navigator->GetTypeInfo(1, 1033, info.Receive()), DISP_E_BADINDEX);
    ASSERT_EQ(navigator->GetTypeInfo(0, 1033, info.Receive()), S_OK);
    EXPECT_EQ(NameOf(info.Get()), L"_Wayfinder");
    EXPECT_EQ(FactsOf(info.Get()).kind, TKIND_DISPATCH);

    // The class (what VBA's TypeName and early binding see) and its default interface.
    auto classInfo = navigator.Query<IProvideClassInfo>();
    ASSERT_TRUE(classInfo);
    ComPtr<ITypeInfo> coclass;
    ASSERT_EQ(classInfo->GetClassInfo(coclass.Receive()), S_OK);
    EXPECT_EQ(NameOf(coclass.Get()), L"Wayfinder");
    EXPECT_EQ(FactsOf(coclass.Get()).kind, TKIND_COCLASS);
    EXPECT_TRUE(FactsOf(coclass.Get()).flags & TYPEFLAG_FCANCREATE);
    HREFTYPE reference = 0;
    INT flags = 0;
    ASSERT_EQ(coclass->GetRefTypeOfImplType(0, &reference), S_OK);
    coclass->GetImplTypeFlags(0, &flags);
    EXPECT_TRUE(flags & IMPLTYPEFLAG_FDEFAULT);
    ComPtr<ITypeInfo> defaultInterface;
    ASSERT_EQ(coclass->GetRefTypeInfo(reference, defaultInterface.Receive()), S_OK);
    EXPECT_EQ(NameOf(defaultInterface.Get()), L"_Wayfinder");
    // Its library is "Brackwell" (version 1.0 is what registration writes).
    ComPtr<ITypeLib> library;
    UINT index = 0;
    ASSERT_EQ(coclass->GetContainingTypeLib(library.Receive(), &index), S_OK);
    Bstr name;
    library->GetDocumentation(-1, name.Receive(), nullptr, nullptr, nullptr);
    EXPECT_EQ(name.View(), L"Brackwell");

    auto errors = navigator.Query<ISupportErrorInfo>();
    ASSERT_TRUE(errors);
    EXPECT_EQ(errors->InterfaceSupportsErrorInfo(IID_IDispatch), S_OK);
    EXPECT_EQ(errors->InterfaceSupportsErrorInfo(IID_IClassFactory), S_FALSE);
}

TEST(Resources, ThePicturesAndTheGermanVersionResourceTravelInsideTheDll) {
    const HMODULE dll = ServerDll::Get().Module();
    // The workbook, worksheet and name pictures of the tree and a toolbar picture.
    for (int id : {1, 2, 3, 6400, 6953}) {
        EXPECT_NE(FindResourceW(dll, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(14)), nullptr) << id;  // RT_GROUP_ICON
    }

    const std::wstring& path = ServerDll::Get().Path();
    std::vector<BYTE> block(GetFileVersionInfoSizeW(path.c_str(), nullptr));
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
    wchar_t* text = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\StringFileInfo\\040704B0\\FileDescription",
                               reinterpret_cast<void**>(&text), &length));
    EXPECT_EQ(std::wstring(text), L"Brackwell Navigationsbereich für Microsoft Excel");
    EXPECT_TRUE(VerQueryValueW(block.data(), L"\\StringFileInfo\\040704B0\\OLESelfRegister",
                               reinterpret_cast<void**>(&text), &length))
        << "regsvr32 and installers look for this entry";
}

}  // namespace
}  // namespace brackwell::win::test

// The type library inside brackwell.dll, as VBA's object browser and early
// binding read it, and the pictures that travel in the same DLL.

#include <gtest/gtest.h>

#include <windows.h>

#include <oleauto.h>
#include <winver.h>
#include <ocidl.h>

#include <string>
#include <vector>

#include "adapters/windows/common/bstr.h"
#include "adapters/windows/common/com_ptr.h"
#include "tests/windows_com/dispatch_call.h"
#include "tests/windows_com/server_dll.h"

namespace brackwell::win::test {
namespace {

ComPtr<ITypeLib> LoadLibraryOfTheDll() {
    ComPtr<ITypeLib> library;
    EXPECT_EQ(LoadTypeLibEx(ServerDll::Get().Path().c_str(), REGKIND_NONE, library.Receive()), S_OK);
    return library;
}

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

struct Function {
    std::wstring name;
    MEMBERID id;
    INVOKEKIND kind;
    std::vector<ELEMDESC> parameters;  // valid while the type info lives
};

std::vector<Function> FunctionsOf(ITypeInfo* info) {
    std::vector<Function> functions;
    TYPEATTR* attributes = nullptr;
    if (info->GetTypeAttr(&attributes) != S_OK) return functions;
    for (WORD i = 0; i < attributes->cFuncs; ++i) {
        FUNCDESC* function = nullptr;
        if (info->GetFuncDesc(i, &function) != S_OK) continue;
        Function f{NameOf(info, function->memid), function->memid, function->invkind, {}};
        for (SHORT p = 0; p < function->cParams; ++p) f.parameters.push_back(function->lprgelemdescParam[p]);
        functions.push_back(f);
        info->ReleaseFuncDesc(function);
    }
    info->ReleaseTypeAttr(attributes);
    return functions;
}

// A navigator straight from the DLL's class object, without the registry.
ComPtr<IDispatch> NavigatorFromClassObject() {
    ComPtr<ITypeLib> library = LoadLibraryOfTheDll();
    ComPtr<ITypeInfo> coclass = TypeNamed(library.Get(), L"Wayfinder");
    TYPEATTR* attributes = nullptr;
    if (!coclass || coclass->GetTypeAttr(&attributes) != S_OK) return {};
    const CLSID clsid = attributes->guid;
    coclass->ReleaseTypeAttr(attributes);
    ComPtr<IClassFactory> factory;
    EXPECT_EQ(ServerDll::Get().DllGetClassObject(clsid, IID_IClassFactory, factory.ReceiveVoid()), S_OK);
    ComPtr<IDispatch> navigator;
    if (factory) {
        EXPECT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, navigator.ReceiveVoid()), S_OK);
    }
    return navigator;
}

TEST(TypeLibrary, NamesTheLibraryAndItsCreatableNavigatorClass) {
    ComPtr<ITypeLib> library = LoadLibraryOfTheDll();
    ASSERT_TRUE(library);
    Bstr name;
    library->GetDocumentation(-1, name.Receive(), nullptr, nullptr, nullptr);
    EXPECT_EQ(name.View(), L"Brackwell");
    TLIBATTR* libraryAttributes = nullptr;
    ASSERT_EQ(library->GetLibAttr(&libraryAttributes), S_OK);
    EXPECT_EQ(libraryAttributes->wMajorVerNum, 1);
    EXPECT_EQ(libraryAttributes->wMinorVerNum, 0);
    library->ReleaseTLibAttr(libraryAttributes);

    ComPtr<ITypeInfo> coclass = TypeNamed(library.Get(), L"Wayfinder");
    ASSERT_TRUE(coclass);
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(coclass->GetTypeAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->typekind, TKIND_COCLASS);
    EXPECT_TRUE(attributes->wTypeFlags & TYPEFLAG_FCANCREATE);
    coclass->ReleaseTypeAttr(attributes);

    // Its default interface is the dispinterface _Wayfinder.
    HREFTYPE reference = 0;
    INT flags = 0;
    ASSERT_EQ(coclass->GetRefTypeOfImplType(0, &reference), S_OK);
    coclass->GetImplTypeFlags(0, &flags);
    EXPECT_TRUE(flags & IMPLTYPEFLAG_FDEFAULT);
    ComPtr<ITypeInfo> dispinterface;
    ASSERT_EQ(coclass->GetRefTypeInfo(reference, dispinterface.Receive()), S_OK);
    EXPECT_EQ(NameOf(dispinterface.Get()), L"_Wayfinder");
    ASSERT_EQ(dispinterface->GetTypeAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->typekind, TKIND_DISPATCH);
    dispinterface->ReleaseTypeAttr(attributes);
}

TEST(TypeLibrary, ListsTheMembersInOrderWithTheDispidsInvokeAnswers) {
    ComPtr<ITypeLib> library = LoadLibraryOfTheDll();
    ComPtr<ITypeInfo> dispinterface = TypeNamed(library.Get(), L"_Wayfinder");
    ASSERT_TRUE(dispinterface);
    const std::vector<Function> functions = FunctionsOf(dispinterface.Get());
    std::vector<std::wstring> names;
    std::vector<INVOKEKIND> kinds;
    for (const Function& f : functions) {
        names.push_back(f.name);
        kinds.push_back(f.kind);
    }
    EXPECT_EQ(names, (std::vector<std::wstring>{L"mExcel", L"mExcel", L"mExcel", L"SizeOn", L"CreateNavBar",
                                                L"DelNavBar", L"UpdateTree", L"CreateLink"}));
    EXPECT_EQ(kinds, (std::vector<INVOKEKIND>{INVOKE_PROPERTYGET, INVOKE_PROPERTYPUT, INVOKE_PROPERTYPUTREF,
                                              INVOKE_FUNC, INVOKE_FUNC, INVOKE_FUNC, INVOKE_FUNC, INVOKE_FUNC}));

    ComPtr<IDispatch> navigator = NavigatorFromClassObject();
    ASSERT_TRUE(navigator);
    for (const Function& f : functions) EXPECT_EQ(IdOf(navigator.Get(), f.name.c_str()), f.id) << f.name;
}

TEST(TypeLibrary, DeclaresBClearAsOptionalBooleanByReferenceAndWbAsWorkbookByReference) {
    ComPtr<ITypeLib> library = LoadLibraryOfTheDll();
    ComPtr<ITypeInfo> dispinterface = TypeNamed(library.Get(), L"_Wayfinder");
    ASSERT_TRUE(dispinterface);
    for (const Function& f : FunctionsOf(dispinterface.Get())) {
        if (f.name == L"UpdateTree") {
            ASSERT_EQ(f.parameters.size(), 1u);
            const ELEMDESC& bClear = f.parameters[0];
            EXPECT_EQ(bClear.tdesc.vt, VT_PTR);
            EXPECT_EQ(bClear.tdesc.lptdesc->vt, VT_BOOL);
            const USHORT flags = bClear.paramdesc.wParamFlags;
            EXPECT_TRUE(flags & PARAMFLAG_FIN);
            EXPECT_TRUE(flags & PARAMFLAG_FOUT);
            EXPECT_TRUE(flags & PARAMFLAG_FOPT);
            ASSERT_TRUE(flags & PARAMFLAG_FHASDEFAULT);
            VARIANT& defaultValue = bClear.paramdesc.pparamdescex->varDefaultValue;
            VARIANT asBool;
            VariantInit(&asBool);
            ASSERT_EQ(VariantChangeType(&asBool, &defaultValue, 0, VT_BOOL), S_OK);
            EXPECT_EQ(V_BOOL(&asBool), VARIANT_FALSE);
        } else if (f.name == L"CreateLink") {
            ASSERT_EQ(f.parameters.size(), 1u);
            const ELEMDESC& wb = f.parameters[0];
            EXPECT_EQ(wb.tdesc.vt, VT_PTR);
            EXPECT_EQ(wb.tdesc.lptdesc->vt, VT_DISPATCH);
            EXPECT_TRUE(wb.paramdesc.wParamFlags & PARAMFLAG_FIN);
            EXPECT_TRUE(wb.paramdesc.wParamFlags & PARAMFLAG_FOUT);
            EXPECT_FALSE(wb.paramdesc.wParamFlags & PARAMFLAG_FOPT);
        }
    }
}

TEST(TypeLibrary, TheNavigatorDescribesItselfThroughIDispatchAndIProvideClassInfo) {
    ComPtr<IDispatch> navigator = NavigatorFromClassObject();
    ASSERT_TRUE(navigator);
    UINT count = 0;
    EXPECT_EQ(navigator->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(navigator->GetTypeInfo(0, 1033, info.Receive()), S_OK);
    EXPECT_EQ(NameOf(info.Get()), L"_Wayfinder");
    EXPECT_EQ(navigator->GetTypeInfo(1, 1033, info.Receive()), DISP_E_BADINDEX);

    auto classInfo = navigator.Query<IProvideClassInfo>();
    ASSERT_TRUE(classInfo);
    ComPtr<ITypeInfo> coclass;
    ASSERT_EQ(classInfo->GetClassInfo(coclass.Receive()), S_OK);
    EXPECT_EQ(NameOf(coclass.Get()), L"Wayfinder");

    auto errors = navigator.Query<ISupportErrorInfo>();
    ASSERT_TRUE(errors);
    EXPECT_EQ(errors->InterfaceSupportsErrorInfo(IID_IDispatch), S_OK);
    EXPECT_EQ(errors->InterfaceSupportsErrorInfo(IID_IClassFactory), S_FALSE);
}

TEST(Resources, ThePicturesTravelInsideTheDll) {
    const HMODULE dll = ServerDll::Get().Module();
    // The workbook, worksheet and name pictures of the tree and a toolbar picture.
    for (int id : {1, 2, 3, 6400, 6953}) {
        EXPECT_NE(FindResourceW(dll, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(14)), nullptr) << id;  // RT_GROUP_ICON
    }
    EXPECT_NE(FindResourceW(dll, MAKEINTRESOURCEW(1), L"TYPELIB"), nullptr);
}

TEST(Resources, TheVersionResourceDescribesTheDllInGerman) {
    const std::wstring& path = ServerDll::Get().Path();
    std::vector<BYTE> block(GetFileVersionInfoSizeW(path.c_str(), nullptr));
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
    wchar_t* text = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\StringFileInfo\\040704B0\\FileDescription",
                               reinterpret_cast<void**>(&text), &length));
    EXPECT_EQ(std::wstring(text), L"Brackwell Navigationsbereich für Microsoft Excel");
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\StringFileInfo\\040704B0\\OLESelfRegister",
                               reinterpret_cast<void**>(&text), &length))
        << "regsvr32 and installers look for this entry";
}

}  // namespace
}  // namespace brackwell::win::test

// Fuzzes the navigator's IDispatch under Wine: seeded random Invoke calls on
// the real brackwell.dll with every argument form an automation client can
// send (wrong types, missing and by-reference arguments, Nothing and foreign
// objects, arrays, named arguments, odd flags and DISPIDs). Whatever comes
// in, Invoke returns an HRESULT; afterwards the navigator still works, and
// when it is let go every reference is given back and the DLL may unload.
//
//   dispatch_fuzz [--seconds N] [--seed S]
// Prints the seed and the executions; exits 1 on a finding (a crash ends
// the program by itself).

#include <windows.h>

#include <oleauto.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <random>
#include <string>
#include <vector>

#include "excel_standin/facade/live_objects.h"
#include "tests/windows/message_pump.h"
#include "tests/windows_com/message_box_watch.h"
#include "tests/windows_com/server_dll.h"
#include "tests/windows_reliability/com_scene.h"
#include "tests/windows_reliability/fuzz_run.h"

using namespace brackwell::win;
using namespace brackwell::win::test;

namespace {

class Fuzzer {
public:
    Fuzzer(unsigned seed, ComScene& scene) : random_(seed), scene_(scene) {
        for (const wchar_t* name : {L"mExcel", L"SizeOn", L"CreateNavBar", L"DelNavBar", L"UpdateTree", L"CreateLink"})
            members_.push_back(IdOf(scene.nav.Get(), name));
        objects_ = {scene.app, scene.book, scene.nav, scene.Reach({L"Workbooks"}), ComPtr<IDispatch>()};
    }

    void InvokeOnce() {
        IDispatch* nav = scene_.nav.Get();
        const DISPID id = Pick(8) == 0 ? RandomId() : members_[static_cast<std::size_t>(Pick(members_.size()))];
        static const WORD kFlags[] = {DISPATCH_METHOD, DISPATCH_PROPERTYGET, DISPATCH_PROPERTYPUT,
                                      DISPATCH_PROPERTYPUTREF, DISPATCH_METHOD | DISPATCH_PROPERTYGET, 0, 0x30};
        const WORD flags = kFlags[Pick(std::size(kFlags))];

        const std::size_t count = Pick(4);
        std::vector<VARIANT> args(count);
        for (VARIANT& v : args) Fill(v, 0);
        DISPID named[2] = {DISPID_PROPERTYPUT, static_cast<DISPID>(Pick(3))};
        DISPPARAMS params{args.empty() ? nullptr : args.data(), nullptr, static_cast<UINT>(count), 0};
        if (count > 0 && Pick(3) == 0) {
            params.rgdispidNamedArgs = named + Pick(2);
            params.cNamedArgs = 1;
        }
        VARIANT result;
        VariantInit(&result);
        EXCEPINFO info{};
        UINT argError = 0;
        nav->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, Pick(2) ? &result : nullptr,
                    Pick(2) ? &info : nullptr, Pick(2) ? &argError : nullptr);
        VariantClear(&result);
        SysFreeString(info.bstrSource);
        SysFreeString(info.bstrDescription);
        SysFreeString(info.bstrHelpFile);
        for (VARIANT& v : args) Clear(v);
        EndCall();
        // A host other than the real one would answer every later call with
        // a failure box: the fuzzing goes on against the real one.
        if (id == members_[0]) PutRef(nav, L"mExcel", Variant::Object(scene_.app));
        PumpMessages();
    }

private:
    std::size_t Pick(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_); }

    DISPID RandomId() {
        static const DISPID kOdd[] = {DISPID_VALUE, DISPID_UNKNOWN, DISPID_NEWENUM, DISPID_EVALUATE,
                                      DISPID_PROPERTYPUT, 7, 1000, 0x7FFFFFFF};
        return kOdd[Pick(std::size(kOdd))];
    }

    std::wstring RandomText() {
        static const wchar_t* kTexts[] = {L"", L"True", L"False", L"0", L"-1", L"1e400", L"wb1|2", L"売上",
                                          L"Übersicht", L"  12  ", L"\xD800", L"Nothing"};
        return kTexts[Pick(std::size(kTexts))];
    }

    // One argument as some client might send it; by-reference forms point
    // into storage that lives until the call is over.
    void Fill(VARIANT& v, int depth) {
        VariantInit(&v);
        switch (Pick(depth > 1 ? 14 : 18)) {
        case 0: break;  // VT_EMPTY
        case 1: v.vt = VT_NULL; break;
        case 2: v.vt = VT_I2; v.iVal = static_cast<SHORT>(Pick(5)) - 2; break;
        case 3: v.vt = VT_I4; v.lVal = static_cast<LONG>(random_()); break;
        case 4: v.vt = VT_R8; v.dblVal = Pick(2) ? 1e300 : -0.5; break;
        case 5: v.vt = VT_BOOL; v.boolVal = Pick(2) ? VARIANT_TRUE : VARIANT_FALSE; break;
        case 6: v.vt = VT_BSTR; v.bstrVal = Pick(6) ? SysAllocString(RandomText().c_str()) : nullptr; break;
        case 7:
        case 8: {
            v.vt = VT_DISPATCH;
            v.pdispVal = objects_[Pick(objects_.size())].Get();
            if (v.pdispVal) v.pdispVal->AddRef();
            break;
        }
        case 9: v.vt = VT_UNKNOWN; v.punkVal = Pick(2) ? static_cast<IUnknown*>(scene_.app.Get()) : nullptr;
            if (v.punkVal) v.punkVal->AddRef();
            break;
        case 10: v.vt = VT_ERROR; v.scode = Pick(2) ? DISP_E_PARAMNOTFOUND : E_FAIL; break;  // missing, or an error value
        case 11: v.vt = VT_DATE; v.date = 45000.25; break;
        case 12: v.vt = VT_CY; v.cyVal.int64 = 123456; break;
        case 13: v.vt = VT_UI1; v.bVal = 255; break;
        case 14: {  // an array of variants
            SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(Pick(3)));
            for (LONG i = 0; array && i < static_cast<LONG>(array->rgsabound[0].cElements); ++i) {
                VARIANT element;
                Fill(element, depth + 1);
                SafeArrayPutElement(array, &i, &element);
                Clear(element);
            }
            v.vt = VT_ARRAY | VT_VARIANT;
            v.parray = array;
            break;
        }
        case 15: {  // a variable passed by reference, as VBScript does
            storage_.emplace_back();
            Fill(storage_.back(), depth + 1);
            v.vt = VT_VARIANT | VT_BYREF;
            v.pvarVal = &storage_.back();
            break;
        }
        case 16:
            v.vt = VT_BOOL | VT_BYREF;
            v.pboolVal = &boolean_;
            break;
        case 17:
            v.vt = VT_BSTR | VT_BYREF;
            v.pbstrVal = &text_;
            break;
        }
    }

    // A by-value argument owns what it holds; a by-reference one points into
    // storage that EndCall clears.
    static void Clear(VARIANT& v) {
        if (!(v.vt & VT_BYREF)) VariantClear(&v);
        VariantInit(&v);
    }
    void EndCall() {
        for (VARIANT& stored : storage_) VariantClear(&stored);
        storage_.clear();
    }

    std::mt19937 random_;
    ComScene& scene_;
    std::vector<DISPID> members_;
    std::vector<ComPtr<IDispatch>> objects_;
    std::deque<VARIANT> storage_;
    VARIANT_BOOL boolean_ = VARIANT_TRUE;
    BSTR text_ = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
    const auto [seconds, seed] = ReadFuzzRun(argc, argv, "dispatch_fuzz");

    RegisteredServer server;
    if (server.registerResult != S_OK) return 2;
    MessageBoxWatch boxes;
    HostWindow window;
    const std::int64_t liveBefore = LiveFacadeObjects();
    long executions = 0;
    bool worksAfterwards = false;
    {
        ComScene scene(window, true);
        scene.book = scene.Reach({L"ActiveWorkbook"});
        if (!scene.nav) return 2;
        Fuzzer fuzzer(seed, scene);
        const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        while (std::chrono::steady_clock::now() < end) {
            fuzzer.InvokeOnce();
            ++executions;
        }
        PutRef(scene.nav.Get(), L"mExcel", Variant::Object(scene.app));
        Call(scene.nav.Get(), L"CreateNavBar");
        worksAfterwards = Call(scene.nav.Get(), L"UpdateTree").hr == S_OK && !window.TreeItems().empty();
    }
    PumpMessages();
    const std::int64_t leaked = LiveFacadeObjects() - liveBefore;
    const HRESULT canUnload = ServerDll::Get().DllCanUnloadNow();
    std::printf("dispatch_fuzz: %ld executions in %.0f s, %zu message boxes; %s\n", executions, seconds,
                boxes.Seen().size(),
                worksAfterwards && leaked == 0 && canUnload == S_OK ? "no finding" : "FINDING");
    if (!worksAfterwards) std::printf("  the navigator no longer builds its tree\n");
    if (leaked != 0) std::printf("  %lld facade objects still held\n", static_cast<long long>(leaked));
    if (canUnload != S_OK) std::printf("  DllCanUnloadNow says no\n");
    return worksAfterwards && leaked == 0 && canUnload == S_OK ? 0 : 1;
}

#pragma once
// A ZIP entry as a read-only COM stream, so that XmlLite pulls a part
// straight out of the archive: nothing is inflated before it is parsed and
// a large worksheet never sits in memory whole.

#include <windows.h>

#include <objidl.h>

#include <exception>
#include <memory>

#include "adapters/windows/common/com_object.h"
#include "excel_standin/xlsx/zip_entry_reader.h"

namespace brackwell::win::xlsx {

class ZipEntryStream final : public ComObject<IStream> {
public:
    explicit ZipEntryStream(std::unique_ptr<ZipEntryReader> reader) noexcept;

    // The failure a Read reported as an HRESULT (a damaged entry), to be
    // thrown again by whoever called the parser; null when there was none.
    std::exception_ptr Failure() const noexcept { return failure_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG size, ULONG* read) override;
    HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG*) override;
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) override;
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER) override;
    HRESULT STDMETHODCALLTYPE CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override;
    HRESULT STDMETHODCALLTYPE Commit(DWORD) override;
    HRESULT STDMETHODCALLTYPE Revert() override;
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override;
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override;
    HRESULT STDMETHODCALLTYPE Stat(STATSTG* stat, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Clone(IStream**) override;

private:
    std::unique_ptr<ZipEntryReader> reader_;
    std::exception_ptr failure_;
};

}  // namespace brackwell::win::xlsx

#include "excel_standin/xlsx/zip_entry_stream.h"

#include <cstring>

namespace brackwell::win::xlsx {

ZipEntryStream::ZipEntryStream(std::unique_ptr<ZipEntryReader> reader) noexcept : reader_(std::move(reader)) {}

HRESULT ZipEntryStream::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_ISequentialStream || iid == IID_IStream) {
        *out = static_cast<IStream*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

HRESULT ZipEntryStream::Read(void* buffer, ULONG size, ULONG* read) {
    if (read) *read = 0;
    if (failure_) return E_FAIL;
    ULONG total = 0;
    try {
        // A short count tells the caller the stream has ended, so fill the
        // whole buffer unless the entry really ends.
        while (total < size) {
            const std::size_t got = reader_->Read(static_cast<char*>(buffer) + total, size - total);
            if (got == 0) break;
            total += static_cast<ULONG>(got);
        }
    } catch (...) {
        failure_ = std::current_exception();
        return E_FAIL;
    }
    if (read) *read = total;
    return total == size ? S_OK : S_FALSE;
}

HRESULT ZipEntryStream::Write(const void*, ULONG, ULONG*) { return STG_E_ACCESSDENIED; }

HRESULT ZipEntryStream::Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) {
    // Only asking where the stream stands works: the data is inflated in
    // one direction.
    if (move.QuadPart != 0 || origin != STREAM_SEEK_CUR) return STG_E_INVALIDFUNCTION;
    if (position) position->QuadPart = reader_->Position();
    return S_OK;
}

HRESULT ZipEntryStream::SetSize(ULARGE_INTEGER) { return STG_E_ACCESSDENIED; }

HRESULT ZipEntryStream::CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) { return E_NOTIMPL; }

HRESULT ZipEntryStream::Commit(DWORD) { return S_OK; }

HRESULT ZipEntryStream::Revert() { return S_OK; }

HRESULT ZipEntryStream::LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) { return STG_E_INVALIDFUNCTION; }

HRESULT ZipEntryStream::UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) { return STG_E_INVALIDFUNCTION; }

HRESULT ZipEntryStream::Stat(STATSTG* stat, DWORD) {
    if (!stat) return E_POINTER;
    std::memset(stat, 0, sizeof *stat);
    stat->type = STGTY_STREAM;
    stat->cbSize.QuadPart = reader_->Size();
    stat->grfMode = STGM_READ;
    return S_OK;
}

HRESULT ZipEntryStream::Clone(IStream**) { return E_NOTIMPL; }

}  // namespace brackwell::win::xlsx

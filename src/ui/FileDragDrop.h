#pragma once
#include <windows.h>
#include <ole2.h>

#include <functional>
#include <string>
#include <vector>

// Files and folders as the shell passes them in drag and drop and on the
// clipboard: a data object offering the file drop and "Shell IDList Array".
// Null when a name is not found; the caller releases it.
IDataObject* CreateFileDataObject(const std::wstring& folder, const std::vector<std::wstring>& names);

// The full paths a file drop carries; empty when the data holds none.
std::vector<std::wstring> DroppedPaths(IDataObject* data);

// Lets the user drag the data (copy or move) until the mouse button is let
// go; the effect the target chose, DROPEFFECT_NONE when cancelled.
DWORD DragFiles(IDataObject* data);

// Accepts file drops onto one window and hands their paths over; other data
// is refused at the door. Lives until its last reference is released.
class FileDropTarget : public IDropTarget {
public:
    using DropHandler = std::function<void(const std::vector<std::wstring>& paths)>;
    explicit FileDropTarget(DropHandler handler) : handler_(std::move(handler)) {}
    virtual ~FileDropTarget() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;

private:
    LONG references_ = 1;
    DropHandler handler_;
    bool acceptable_ = false;  // the data being dragged over holds files
};

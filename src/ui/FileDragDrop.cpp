#include "ui/FileDragDrop.h"

#include <shellapi.h>
#include <shlobj.h>

namespace {

bool HoldsFiles(IDataObject* data)
{
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    return data && data->QueryGetData(&format) == S_OK;
}

// Drops where the mouse button is let go, stops at Escape.
class FileDropSource : public IDropSource {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override
    {
        if (id == IID_IUnknown || id == IID_IDropSource) {
            *object = static_cast<IDropSource*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // Lives on the stack for the length of one drag.
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override
    {
        if (escape)
            return DRAGDROP_S_CANCEL;
        return (keys & (MK_LBUTTON | MK_RBUTTON)) ? S_OK : DRAGDROP_S_DROP;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

}  // namespace

IDataObject* CreateFileDataObject(const std::wstring& folder, const std::vector<std::wstring>& names)
{
    PIDLIST_ABSOLUTE folderList = nullptr;
    if (names.empty() || FAILED(SHParseDisplayName(folder.c_str(), nullptr, &folderList, 0, nullptr)))
        return nullptr;
    std::vector<PIDLIST_ABSOLUTE> items;
    std::vector<PCUITEMID_CHILD> children;
    for (const std::wstring& name : names) {
        std::wstring path = folder;
        if (!path.empty() && path.back() != L'\\')
            path += L'\\';
        PIDLIST_ABSOLUTE item = nullptr;
        if (FAILED(SHParseDisplayName((path + name).c_str(), nullptr, &item, 0, nullptr)))
            break;
        items.push_back(item);
        children.push_back(ILFindLastID(item));
    }
    // Wine answers SHCreateDataObject with E_NOTIMPL; this older call gives
    // the same object on both.
    IDataObject* data = nullptr;
    if (children.size() == names.size() &&
        FAILED(CIDLData_CreateFromIDArray(folderList, static_cast<UINT>(children.size()),
                                          reinterpret_cast<PCUIDLIST_RELATIVE_ARRAY>(children.data()), &data)))
        data = nullptr;
    for (PIDLIST_ABSOLUTE item : items)
        ILFree(item);
    ILFree(folderList);
    return data;
}

std::vector<std::wstring> DroppedPaths(IDataObject* data)
{
    std::vector<std::wstring> paths;
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (!data || data->GetData(&format, &medium) != S_OK)
        return paths;
    if (auto drop = static_cast<HDROP>(GlobalLock(medium.hGlobal))) {
        UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            std::wstring path(DragQueryFileW(drop, i, nullptr, 0), L'\0');
            DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size() + 1));
            paths.push_back(path);
        }
        GlobalUnlock(medium.hGlobal);
    }
    ReleaseStgMedium(&medium);
    return paths;
}

DWORD DragFiles(IDataObject* data)
{
    FileDropSource source;
    DWORD effect = DROPEFFECT_NONE;
    if (DoDragDrop(data, &source, DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect) != DRAGDROP_S_DROP)
        return DROPEFFECT_NONE;
    return effect;
}

HRESULT STDMETHODCALLTYPE FileDropTarget::QueryInterface(REFIID id, void** object)
{
    if (id == IID_IUnknown || id == IID_IDropTarget) {
        *object = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE FileDropTarget::AddRef()
{
    return InterlockedIncrement(&references_);
}

ULONG STDMETHODCALLTYPE FileDropTarget::Release()
{
    LONG left = InterlockedDecrement(&references_);
    if (left == 0)
        delete this;
    return left;
}

HRESULT STDMETHODCALLTYPE FileDropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect)
{
    acceptable_ = HoldsFiles(data);
    *effect = acceptable_ ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE FileDropTarget::DragOver(DWORD, POINTL, DWORD* effect)
{
    *effect = acceptable_ ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE FileDropTarget::DragLeave()
{
    acceptable_ = false;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE FileDropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect)
{
    acceptable_ = false;
    std::vector<std::wstring> paths = DroppedPaths(data);
    *effect = paths.empty() ? DROPEFFECT_NONE : DROPEFFECT_COPY;
    if (!paths.empty())
        handler_(paths);
    return S_OK;
}

#include <gtest/gtest.h>

#include <windows.h>
#include <ole2.h>

#include "support/TestLog.h"
#include "ui/FileDragDrop.h"

namespace {

using Strings = std::vector<std::wstring>;

class OleThread {
public:
    OleThread() { OleInitialize(nullptr); }
    ~OleThread() { OleUninitialize(); }
};

}  // namespace

TEST(FileDragDrop, TheDataObjectCarriesTheFilesAsADrop)
{
    OleThread ole;
    ScratchFolder folder;
    WriteWholeFile(folder.File(L"a b.txt"), "a");
    CreateDirectoryW(folder.File(L"sub").c_str(), nullptr);

    IDataObject* data = CreateFileDataObject(folder.Path(), {L"a b.txt", L"sub"});
    ASSERT_TRUE(data);
    EXPECT_EQ(DroppedPaths(data), (Strings{folder.File(L"a b.txt"), folder.File(L"sub")}));
    FORMATETC idList{static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"Shell IDList Array")), nullptr,
                     DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    EXPECT_EQ(data->QueryGetData(&idList), S_OK);

    Strings dropped;
    auto* target = new FileDropTarget([&](const Strings& paths) { dropped = paths; });
    DWORD effect = DROPEFFECT_MOVE;
    EXPECT_EQ(target->DragEnter(data, MK_LBUTTON, {0, 0}, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    effect = DROPEFFECT_MOVE;
    target->DragOver(MK_LBUTTON, {1, 1}, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(target->Drop(data, 0, {1, 1}, &effect), S_OK);
    EXPECT_EQ(dropped, (Strings{folder.File(L"a b.txt"), folder.File(L"sub")}));

    // No data, or data without files, is refused and hands nothing over.
    dropped.clear();
    target->DragEnter(nullptr, MK_LBUTTON, {0, 0}, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    target->DragOver(MK_LBUTTON, {1, 1}, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    target->Drop(nullptr, 0, {1, 1}, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_TRUE(dropped.empty());
    EXPECT_EQ(target->Release(), 0u);
    data->Release();
}

TEST(FileDragDrop, MissingNamesGiveNoData)
{
    OleThread ole;
    ScratchFolder folder;
    WriteWholeFile(folder.File(L"here.txt"), "h");
    EXPECT_FALSE(CreateFileDataObject(folder.Path(), {}));
    EXPECT_FALSE(CreateFileDataObject(folder.Path(), {L"here.txt", L"not here.txt"}));
    EXPECT_FALSE(CreateFileDataObject(folder.File(L"no folder"), {L"here.txt"}));
    EXPECT_TRUE(DroppedPaths(nullptr).empty());
}

// The main window's three lists: their rows and selections as the models
// hold them, and dragging rows out of the inventory lists.
#include "win32/fQXMain.h"

#include "win32/cDropSource.h"
#include "win32/cTextDataObject.h"
#include "win32/cTextDropTarget.h"
#include "win32/modListViewRows.h"

namespace qx::win32 {

HWND fQXMain::ListWindow(const std::string& name) const {
    if (name == "lvProgramSet") return lvProgramSet_;
    if (name == "lvApplications") return lvApplications_;
    if (name == "lvProcesses") return lvProcesses_;
    return nullptr;
}

cListViewModel* fQXMain::ModelOf(HWND list) {
    if (list == lvProgramSet_) return &session_.Set().lvProgramSet();
    if (!editor_) return nullptr;
    if (list == lvApplications_) return &session_.Inventory().lvApplications();
    if (list == lvProcesses_) return &session_.Inventory().lvProcesses();
    return nullptr;
}

void fQXMain::PullSelection(HWND list) {
    if (cListViewModel* model = ModelOf(list)) qx::win32::PullSelection(list, *model);
}

void fQXMain::PullAllSelections() {
    for (HWND w : {lvProgramSet_, lvApplications_, lvProcesses_}) PullSelection(w);
}

void fQXMain::PushSelection(HWND list) {
    const cListViewModel* model = ModelOf(list);
    if (model == nullptr) return;
    ++suppressNotify_;
    qx::win32::PushSelection(list, *model);
    --suppressNotify_;
}

void fQXMain::RenderProgramSet() {
    ++suppressNotify_;
    RenderRows(lvProgramSet_, session_.Set().lvProgramSet());
    --suppressNotify_;
}

void fQXMain::RenderInventory() {
    if (!editor_) return;
    ++suppressNotify_;
    for (HWND w : {lvApplications_, lvProcesses_}) ShowVirtualRows(w, ModelOf(w)->Count());
    --suppressNotify_;
}

void fQXMain::RenderState(const cCommandState& state) {
    state_ = state;
    menu_.Render(state);
    toolbarButtons_.Render(state);
    DrawMenuBar(hwnd_);
}

void fQXMain::UpdateCommandState() {
    if (!editor_) return;
    PullAllSelections();
    const cCommandState state = editor_->UpdateCommandState();
    HWND active = ListWindow(editor_->ActiveList().Name());
    if (active != nullptr) PushSelection(active); // an active list without a selection now has row 1
    RenderState(state);
}

void fQXMain::AfterEdit(const cCommandState& state) {
    RenderProgramSet();
    HWND active = ListWindow(editor_->ActiveList().Name());
    if (active != nullptr && active != lvProgramSet_) PushSelection(active);
    RenderState(state);
}

void fQXMain::BeginDrag(HWND list) {
    if (!oleStarted_ || !editor_) return;
    PullSelection(list);
    const std::string text = cSetEditor::GetDragText(*ModelOf(list));
    auto* data = new cTextDataObject(text);
    auto* source = new cDropSource();
    DWORD effect = DROPEFFECT_NONE;
    DoDragDrop(data, source, DROPEFFECT_COPY, &effect);
    source->Release();
    data->Release();
}

void fQXMain::HandleDrop(const std::string& text) {
    // Handled after DoDragDrop has returned: the drop opens the modal Kill
    // Properties dialog, which must not run inside the drag's own loop.
    pendingDrops_.push_back(text);
    PostMessageW(hwnd_, kMsgDrop, 0, 0);
}

} // namespace qx::win32

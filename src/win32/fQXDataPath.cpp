#include "win32/fQXDataPath.h"

#include "core/ui/modResourceText.h"
#include "win32/WideText.h"
#include "win32/cWin32StringTable.h"
#include "win32/fQXDataPathIds.h"

#include <commctrl.h>

#include <algorithm>
#include <cwctype>

namespace qx::win32 {
namespace {

using M = cDataPathModel;

// Keeps the system's "insert a disk" box away while a drive is probed: an
// empty drive must come back as not ready, for the dialog's own question.
class cQuietDriveErrors {
public:
    cQuietDriveErrors() : old_(SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX)) {
        SetErrorMode(old_ | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    }
    ~cQuietDriveErrors() { SetErrorMode(old_); }
    cQuietDriveErrors(const cQuietDriveErrors&) = delete;
    cQuietDriveErrors& operator=(const cQuietDriveErrors&) = delete;

private:
    UINT old_;
};

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::wstring WithoutTrailingSlash(std::wstring path) {
    while (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
    return path;
}

std::wstring Join(const std::wstring& folder, const std::wstring& name) {
    return !folder.empty() && folder.back() == L'\\' ? folder + name : folder + L"\\" + name;
}

bool SameName(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

// "C:\Data\Sets" -> root "C:\", parts {"Data", "Sets"}; "\\server\share\x"
// -> root "\\server\share", parts {"x"}.
void SplitPath(const std::wstring& path, std::wstring& root, std::vector<std::wstring>& parts) {
    std::size_t start = 0;
    if (path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\') {
        const std::size_t server = path.find(L'\\', 2);
        const std::size_t share = server == std::wstring::npos ? server : path.find(L'\\', server + 1);
        root = path.substr(0, share);
        start = share == std::wstring::npos ? path.size() : share + 1;
    } else {
        root = path.substr(0, 2) + L"\\";
        start = std::min<std::size_t>(3, path.size());
    }
    while (start < path.size()) {
        std::size_t end = path.find(L'\\', start);
        if (end == std::wstring::npos) end = path.size();
        if (end > start) parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
}

} // namespace

bool fQXDataPath::Show(HWND owner, cDataPathModel& model) {
    fQXDataPath dialog(model);
    return dialog.Run(owner, IDD_QX_DATA_PATH) == IDOK;
}

std::wstring fQXDataPath::DriveText(const std::wstring& root) {
    std::wstring text;
    text += static_cast<wchar_t>(std::towlower(root.empty() ? L'?' : root[0]));
    text += L':';
    const UINT type = GetDriveTypeW(root.c_str());
    if (type == DRIVE_FIXED || type == DRIVE_RAMDISK || type == DRIVE_REMOTE) {
        cQuietDriveErrors quiet;
        wchar_t label[MAX_PATH + 1] = L"";
        if (GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0) &&
            label[0] != L'\0')
            text += std::wstring(L" [") + label + L"]";
    }
    return text;
}

bool fQXDataPath::OnInit() {
    cWin32StringTable table;
    SetControlText(Hwnd(), LoadResourceText(table, M::kCaption));
    SetControlText(Item(IDC_DP_LBLDESTINATION), LoadResourceText(table, M::kDestinationLabel));
    SetControlText(Item(IDOK), LoadResourceText(table, M::kOk));
    SetControlText(Item(IDCANCEL), LoadResourceText(table, M::kCancel));
    model_.Form_Load();
    FillDrives();
    const std::wstring start = Widen(model_.StartFolder());
    if (SelectDrive(Widen(model_.StartDriveLetter()), true))
        model_.SetLastGoodDrive(ControlText(Item(IDC_DP_DRIVE1)));
    cErrorInfo error;
    ShowFolder(start, error); // the model has made sure the folder is there
    return true;
}

void fQXDataPath::FillDrives() {
    HWND combo = Item(IDC_DP_DRIVE1);
    std::vector<wchar_t> roots(GetLogicalDriveStringsW(0, nullptr) + 1, L'\0');
    GetLogicalDriveStringsW(static_cast<DWORD>(roots.size()), roots.data());
    for (const wchar_t* root = roots.data(); *root != L'\0'; root += wcslen(root) + 1)
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(DriveText(root).c_str()));
}

bool fQXDataPath::SelectDrive(const std::wstring& match, bool byLetter) {
    HWND combo = Item(IDC_DP_DRIVE1);
    const auto count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring text(static_cast<std::size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        text.resize(wcslen(text.c_str()));
        const bool same = byLetter ? !match.empty() && !text.empty() && SameName(text.substr(0, 1), match.substr(0, 1))
                                   : text == match;
        if (same) {
            SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
            return true;
        }
    }
    return false;
}

HTREEITEM fQXDataPath::AddFolder(HTREEITEM parent, const std::wstring& name, const std::wstring& path) {
    paths_.push_back(path);
    populated_.push_back(false);
    std::wstring text = name;
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN;
    insert.item.pszText = text.data();
    insert.item.lParam = static_cast<LPARAM>(paths_.size() - 1);
    insert.item.cChildren = 1; // until listed: most folders have subfolders
    return reinterpret_cast<HTREEITEM>(
        SendMessageW(Item(IDC_DP_DIR1), TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

std::wstring fQXDataPath::PathOf(HTREEITEM item) const {
    TVITEMW data{};
    data.mask = TVIF_PARAM;
    data.hItem = item;
    if (item == nullptr || !SendMessageW(Item(IDC_DP_DIR1), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data)))
        return {};
    const auto index = static_cast<std::size_t>(data.lParam);
    return index < paths_.size() ? paths_[index] : std::wstring{};
}

bool fQXDataPath::Populate(HTREEITEM item, DWORD& failure) {
    HWND tree = Item(IDC_DP_DIR1);
    TVITEMW data{};
    data.mask = TVIF_PARAM;
    data.hItem = item;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
    const auto index = static_cast<std::size_t>(data.lParam);
    if (index >= paths_.size() || populated_[index]) return true;
    populated_[index] = true;
    const std::wstring folder = paths_[index];

    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = INVALID_HANDLE_VALUE;
    {
        cQuietDriveErrors quiet;
        search = FindFirstFileW(Join(folder, L"*").c_str(), &found);
    }
    if (search == INVALID_HANDLE_VALUE) {
        failure = GetLastError();
        if (failure != ERROR_FILE_NOT_FOUND && failure != ERROR_NO_MORE_FILES) return false;
    } else {
        do {
            const std::wstring name = found.cFileName;
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && name != L"." && name != L"..")
                names.push_back(name);
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
        return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_LESS_THAN;
    });
    for (const std::wstring& name : names) AddFolder(item, name, Join(folder, name));
    if (names.empty()) {
        data.mask = TVIF_CHILDREN;
        data.cChildren = 0;
        SendMessageW(tree, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&data));
    }
    return true;
}

bool fQXDataPath::ShowFolder(const std::wstring& folder, cErrorInfo& error) {
    HWND tree = Item(IDC_DP_DIR1);
    std::wstring root;
    std::vector<std::wstring> parts;
    SplitPath(WithoutTrailingSlash(folder), root, parts);
    SendMessageW(tree, WM_SETREDRAW, FALSE, 0);
    SendMessageW(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    paths_.clear();
    populated_.clear();
    std::wstring rootText = root;
    if (rootText.size() == 3 && rootText[1] == L':') rootText[0] = static_cast<wchar_t>(std::towlower(rootText[0]));
    HTREEITEM item = AddFolder(TVI_ROOT, rootText, root);
    DWORD failure = 0;
    bool ok = Populate(item, failure);
    if (!ok) error = SystemErrorInfo(failure, "fQXDataPath");
    for (std::size_t i = 0; ok && i < parts.size(); ++i) {
        SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
        HTREEITEM next = nullptr;
        for (auto child = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD,
                                                                   reinterpret_cast<LPARAM>(item)));
             child != nullptr && next == nullptr;
             child = reinterpret_cast<HTREEITEM>(
                 SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child)))) {
            const std::wstring path = PathOf(child);
            if (SameName(path.substr(path.find_last_of(L'\\') + 1), parts[i])) next = child;
        }
        // A folder the listing did not show (one it may not read) is still on the way down.
        if (next == nullptr) next = AddFolder(item, parts[i], Join(PathOf(item), parts[i]));
        item = next;
        DWORD ignored = 0;
        Populate(item, ignored);
    }
    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    SendMessageW(tree, WM_SETREDRAW, TRUE, 0);
    SendMessageW(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    InvalidateRect(tree, nullptr, TRUE);
    return ok;
}

M::DriveShow fQXDataPath::ShowDrive(const std::string& driveText, cErrorInfo& error) {
    std::wstring letter = Widen(driveText.substr(0, 1));
    for (wchar_t& ch : letter) ch = static_cast<wchar_t>(std::towupper(ch));
    const std::wstring root = letter + L":\\";
    {
        cQuietDriveErrors quiet;
        if (!GetVolumeInformationW(root.c_str(), nullptr, 0, nullptr, nullptr, nullptr, nullptr, 0)) {
            const DWORD code = GetLastError();
            if (code == ERROR_NOT_READY) return M::DriveShow::NotReady;
            error = SystemErrorInfo(code, "fQXDataPath");
            return M::DriveShow::Failed;
        }
    }
    // The drive's current folder, as the platform keeps one per drive.
    wchar_t current[MAX_PATH] = L"";
    const std::wstring drive = letter + L":";
    const DWORD length = GetFullPathNameW(drive.c_str(), MAX_PATH, current, nullptr);
    const std::wstring folder = length > 0 && length < MAX_PATH && IsFolder(current) ? current : root;
    return ShowFolder(folder, error) ? M::DriveShow::Shown : M::DriveShow::Failed;
}

void fQXDataPath::Drive1_Change() {
    const std::string driveText = ControlText(Item(IDC_DP_DRIVE1));
    const auto show = [this](const std::string& text, cErrorInfo& error) { return ShowDrive(text, error); };
    switch (model_.Drive1_Change(driveText, show)) {
    case M::DriveChange::Shown:
        break;
    case M::DriveChange::BackToLastGood: {
        SelectDrive(Widen(model_.LastGoodDrive()), false);
        cErrorInfo ignored;
        ShowDrive(model_.LastGoodDrive(), ignored);
        break;
    }
    case M::DriveChange::Close:
        End(IDCANCEL);
        break;
    }
}

void fQXDataPath::cmdOk_Click() {
    const auto selected = reinterpret_cast<HTREEITEM>(
        SendMessageW(Item(IDC_DP_DIR1), TVM_GETNEXTITEM, TVGN_CARET, 0));
    const std::wstring folder = PathOf(selected);
    model_.cmdOk_Click(folder.empty() ? model_.StartFolder() : Narrow(folder));
    End(IDOK);
}

void fQXDataPath::OnCommand(int id, int code, HWND) {
    switch (id) {
    case IDC_DP_DRIVE1:
        if (code == CBN_SELCHANGE) Drive1_Change();
        break;
    case IDOK:
        cmdOk_Click();
        break;
    case IDCANCEL:
        End(IDCANCEL);
        break;
    default:
        break;
    }
}

bool fQXDataPath::OnNotify(NMHDR& header, LRESULT& result) {
    if (header.idFrom != IDC_DP_DIR1 || header.code != TVN_ITEMEXPANDINGW) return false;
    const auto& expanding = reinterpret_cast<const NMTREEVIEWW&>(header);
    if ((expanding.action & TVE_EXPAND) != 0) {
        DWORD ignored = 0;
        Populate(expanding.itemNew.hItem, ignored); // an unreadable folder just shows no subfolders
    }
    result = FALSE; // let it expand
    return true;
}

} // namespace qx::win32

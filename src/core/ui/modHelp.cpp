#include "core/ui/modHelp.h"

namespace qx {

namespace {
constexpr const char* kContentsPage = "index.html";
constexpr const char* kSearchPage = "search.html";

struct TopicPage {
    int topic;
    const char* page;
};
constexpr TopicPage kTopicPages[] = {
    {kTopicGettingStarted, "getting-started.html"},
    {kTopicUsingQuellix, "using-quellix.html"},
    {kTopicSettings, "settings.html"},
    {kTopicProperties, "properties.html"},
};

std::string HelpPageName(int command, int topic) {
    if (command == kHelpSearch) return kSearchPage;
    if (command == kHelpShowTopic) {
        for (const TopicPage& t : kTopicPages) {
            if (t.topic == topic) return t.page;
        }
    }
    return kContentsPage;
}

std::string HelpMissingText(const std::string& pagePath) {
    return "The help page " + pagePath + " could not be found.\r\n\r\n"
           "Reinstall Quellix to restore its help files.";
}

std::string HelpNotShownText(const std::string& pagePath) {
    return "The help page " + pagePath + " could not be opened.\r\n\r\n"
           "Make sure a web browser is installed and set as the default program for web pages.";
}

std::string HelpPagePath(const std::string& programFolder, int command, int topic) {
    std::string path = programFolder;
    // A drive's root comes with its backslash ("C:\"); do not double it.
    if (!path.empty() && path.back() != '\\') path += '\\';
    return path + kHelpFolderName + "\\" + HelpPageName(command, topic);
}
} // namespace

const std::vector<std::string>& HelpPageNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all{kContentsPage, kSearchPage};
        for (const TopicPage& t : kTopicPages) all.emplace_back(t.page);
        all.emplace_back("command-line.html");
        return all;
    }();
    return names;
}

bool ShowHelp(IShell& shell, IFileSystem& fs, IUserInterface& ui, WindowHandle owner,
              const std::string& programFolder, int command, int topic) {
    const std::string path = HelpPagePath(programFolder, command, topic);
    // Without this check the shell reports a missing file in its own words,
    // or, worse, hands the browser a path that ends in a blank page.
    if (!fs.NormalFileExists(path)) {
        ui.MessageBox(HelpMissingText(path), kMbOk | kMbIconExclamation);
        return false;
    }
    if (!shell.ShellExecute(owner, "open", path, {}, {}, kSwShowNormal)) {
        ui.MessageBox(HelpNotShownText(path), kMbOk | kMbIconExclamation);
        return false;
    }
    return true;
}

} // namespace qx

#pragma once
// The main window's own texts and the make-up of its lists, tabs and status
// bar. Toolbar tooltips and menu captions come by id from cCommandState,
// message texts from cMessages.
#include "core/platform/IStringTable.h"

#include <array>
#include <string>
#include <vector>

namespace qx {

struct cColumnHeader {
    std::string key; // empty for a plain column
    std::string caption;
    int width = 0; // twips; 0 hides the column
};

struct cStatusPanel {
    enum class eKind { Text, Date, Time };
    eKind kind = eKind::Text;
    int width = 0;        // twips, the least width when it stretches
    bool stretch = false; // takes the width the others leave
    std::string text;
};

class cMainCaptions {
public:
    // False when a text is missing from the table (it stays empty).
    bool LoadCaptions(IStringTable& strings);

    const std::string& Caption() const { return caption_; }
    const std::string& SetLabel() const { return setLabel_; }
    // Caption of the tab at a position from 1; empty outside the two tabs.
    std::string TabCaption(int index) const;
    // Columns of lvApplications, lvProcesses or lvProgramSet, in order;
    // none for another name. The kill set's third column holds the sort key.
    std::vector<cColumnHeader> ColumnHeaders(const std::string& listName) const;
    // The four panels of stbMessages; the first names a set never saved.
    std::array<cStatusPanel, 4> StatusPanels() const;

private:
    std::string caption_, setLabel_, titleColumn_, exeColumn_, applicationsTab_, processesTab_, newSet_;
};

} // namespace qx

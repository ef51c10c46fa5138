// The kill command gives the window back whatever the run does.
#include "core/sets/cSetEditor.h"
#include "core/ui/modKillCommand.h"
#include "fake/cRunHarness.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace qx {
namespace {

TEST(KillCommand, WhateverTheRunThrowsTheWindowIsUnlockedItsCaptionBackAndTheErrorLogged) {
    const std::pair<std::function<void()>, const char*> cases[] = {
        // what the run does, the error it leaves
        {[] {}, nullptr},
        {[] { throw std::runtime_error("list vanished"); }, "list vanished"},
        {[] { throw 42; }, ""}};
    for (const auto& [fail, description] : cases) {
        fake::cRunHarness h;
        cSetEditor editor(h.set, h.inventory, h.messages);
        h.ui.SetCaption("Quellix - office");
        bool lockedDuringRun = false;
        const bool ok = RunKillCommand(editor, h.ui, h.log, [&] {
            lockedDuringRun = editor.KillRunning();
            h.ui.SetCaption("Closing 'Editor'...");
            fail();
        });
        EXPECT_TRUE(lockedDuringRun && !editor.KillRunning() && ok == (description == nullptr));
        const std::string* log = h.fs.Contents(fake::cRunHarness::kLogPath);
        const std::string where = "KillSelectedSet\r\n" + std::string(description ? description : "");
        EXPECT_EQ(h.ui.GetCaption(), description ? "Quellix - office" : "Closing 'Editor'...");
        EXPECT_EQ(log && log->find("Location:     " + where + "\r\n") != std::string::npos, description != nullptr);
        EXPECT_EQ(h.ui.boxes.size() == 1 ? h.ui.boxes[0].text : std::string(),
                  description ? "Error number: \t0\r\nLocation:     \t" + where : std::string());
    }
}

} // namespace
} // namespace qx

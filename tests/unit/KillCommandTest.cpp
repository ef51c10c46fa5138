// The kill command gives the window back whatever the run does.
#include "core/sets/cSetEditor.h"
#include "core/ui/modKillCommand.h"
#include "fake/cRunHarness.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace qx {
namespace {

TEST(KillCommand, WhateverTheRunThrowsTheWindowIsUnlockedItsCaptionBackAndTheErrorLogged) {
    const struct {
        const char* what;
        std::function<void()> fail; // after the run has changed the caption
        const char* description;    // nullptr: the run succeeds
    } cases[] = {{"succeeds", [] {}, nullptr},
                 {"std exception", [] { throw std::runtime_error("list vanished"); }, "list vanished"},
                 {"anything else", [] { throw 42; }, ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fake::cRunHarness h;
        cSetEditor editor(h.set, h.inventory, h.messages);
        h.ui.SetCaption("Quellix - office");
        bool lockedDuringRun = false;
        const bool ok = RunKillCommand(editor, h.ui, h.log, [&] {
            lockedDuringRun = editor.KillRunning();
            h.ui.SetCaption("Closing 'Editor'...");
            c.fail();
        });
        EXPECT_EQ(ok, c.description == nullptr);
        EXPECT_TRUE(lockedDuringRun && !editor.KillRunning());
        const std::string* log = h.fs.Contents(fake::cRunHarness::kLogPath);
        if (c.description == nullptr) {
            EXPECT_TRUE(h.ui.boxes.empty() && log == nullptr);
            continue;
        }
        EXPECT_EQ(h.ui.GetCaption(), "Quellix - office");
        ASSERT_EQ(h.ui.boxes.size(), 1u);
        EXPECT_EQ(h.ui.boxes[0].text,
                  "Error number: \t0\r\nLocation:     \tKillSelectedSet\r\n" + std::string(c.description));
        ASSERT_NE(log, nullptr);
        EXPECT_NE(log->find("Location:     KillSelectedSet\r\n" + std::string(c.description) + "\r\n"),
                  std::string::npos);
    }
}

} // namespace
} // namespace qx

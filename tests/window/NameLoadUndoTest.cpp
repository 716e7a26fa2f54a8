#include <gtest/gtest.h>

#include "core/NameEditing.h"
#include "support/AppFolder.h"
#include "support/FakeDesktop.h"
#include "support/Files.h"
#include "window/MainWindowModel.h"

namespace vtl {
namespace {

using namespace Qt::StringLiterals;

struct NameLoadUndoTest : ::testing::Test {
    test::AppFolder appDir;
    test::FakeDesktop desktop;
    MainWindowModel model{desktop, AppPaths::inFolder(appDir.path())};

    void SetUp() override {
        model.start();
        model.pickGlyph('O');
        model.pickGlyph('k');
    }
    QByteArray nameText() const { return composeNameText(model.state()); }
};

TEST_F(NameLoadUndoTest, aLoad_isOneChangeThatUndoPutsBack) {
    const int entries = model.history().count();
    desktop.clipboardHolds = u"seta name \"^1Long^4Pasted^7\""_s;
    model.pasteName();
    EXPECT_EQ(nameText(), "^1Long^4Pasted");
    EXPECT_EQ(model.history().count(), entries + 1);
    EXPECT_EQ(model.history().undoText(), u"Paste Name"_s);

    model.undo();
    EXPECT_EQ(nameText(), "^7Ok");
    EXPECT_EQ(model.state().CursorPos, 3);
    EXPECT_EQ(model.state().rawNameBox, u"^7Ok"_s);
    model.redo();
    EXPECT_EQ(nameText(), "^1Long^4Pasted");

    const QString file = appDir.path() + u"/q3config.cfg"_s;
    test::writeBytes(file, "seta name \"Opened\"\r\n");
    desktop.openReplies.push_back(file);
    model.openName();
    EXPECT_EQ(nameText(), "Opened");
    EXPECT_EQ(model.history().undoText(), u"Open Name"_s);
}

TEST_F(NameLoadUndoTest, refusedOrCancelledLoads_recordNothing) {
    const int entries = model.history().count();
    desktop.clipboardHolds = u"Player_1"_s;  // no glyph of the colour modes writes '_'
    model.pasteName();
    model.openName();  // cancelled
    EXPECT_EQ(nameText(), "^7Ok");
    EXPECT_EQ(model.history().count(), entries);
    EXPECT_EQ(desktop.messages.size(), 1u);
}

}  // namespace
}  // namespace vtl

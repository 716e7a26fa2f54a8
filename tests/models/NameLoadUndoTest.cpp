#include <gtest/gtest.h>

#include "core/NameEditing.h"
#include "support/AppFolder.h"
#include "support/FakeDesktop.h"
#include "support/Files.h"
#include "models/MainWindowModel.h"

namespace vtl {
namespace {

using namespace Qt::StringLiterals;

// Each load is one change, named in the Edit menu, that Undo puts back
// whole; a refused paste and a cancelled open record nothing.
TEST(NameLoadUndo, eachLoadIsOneNamedChange_refusedOrCancelledLoadsNone) {
    test::AppFolder appDir;
    test::FakeDesktop desktop;
    MainWindowModel model{desktop, AppPaths::inFolder(appDir.path())};
    model.start();
    model.pickGlyph('O');
    model.pickGlyph('k');
    const int entries = model.history().count();
    desktop.clipboardHolds = u"Player_1"_s;  // no glyph of the colour modes writes '_'
    model.pasteName();
    model.openName();  // cancelled
    EXPECT_EQ(model.history().count(), entries);

    desktop.clipboardHolds = u"seta name \"^1Long^4Pasted^7\""_s;
    model.pasteName();
    EXPECT_EQ(model.history().undoText(), u"Paste Name"_s);
    const QString file = appDir.path() + u"/q3config.cfg"_s;
    test::writeBytes(file, "seta name \"Opened\"\r\n");
    desktop.openReplies.push_back(file);
    model.openName();
    EXPECT_EQ(composeNameText(model.state()), "Opened");
    EXPECT_EQ(model.history().undoText(), u"Open Name"_s);
    model.undo();
    EXPECT_EQ(composeNameText(model.state()), "^1Long^4Pasted");
    model.undo();
    EXPECT_EQ(composeNameText(model.state()), "^7Ok");
}

}  // namespace
}  // namespace vtl

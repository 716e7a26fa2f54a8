#include <gtest/gtest.h>

#include "core/NameEditing.h"
#include "models/MainWindowModel.h"
#include "modes/ColourList.h"
#include "modes/Quake3Colours.h"
#include "support/AppFolder.h"
#include "support/FakeDesktop.h"
#include "support/Tag.h"

namespace vtl {
namespace {

using namespace Qt::StringLiterals;

// The dialog's preview records nothing and Cancel puts the name back; OK is
// one change that Undo takes back whole, pictures included.
TEST(GradientUndo, previewRecordsNothing_okIsOneStep) {
    test::AppFolder appDir;
    test::FakeDesktop desktop;
    MainWindowModel model{desktop, AppPaths::inFolder(appDir.path())};
    model.start();
    for (const char c : QByteArrayView("Hello")) {
        model.pickGlyph(c);
    }
    const int entries = model.history().count();
    const QImage whiteH = model.state().cells[0].glyph;

    std::optional<colour::GradientForm> form = model.gradientForm();
    ASSERT_TRUE(form);
    EXPECT_EQ(form->lastPosition, 5);
    form->stops = {{255, 0, 0}, std::nullopt, {0, 0, 255}};
    model.previewGradient(*form);
    const QByteArray coloured = "^1He^6l^4lo";
    EXPECT_EQ(composeNameText(model.state()), coloured);
    EXPECT_EQ(model.history().count(), entries);
    model.endGradientPreview();
    EXPECT_EQ(composeNameText(model.state()), "^7Hello");

    model.previewGradient(*form);
    model.applyGradient(*form);
    EXPECT_EQ(model.history().count(), entries + 1);
    EXPECT_EQ(model.history().undoText(), u"Colour Gradient"_s);
    EXPECT_EQ(composeNameText(model.state()), coloured);
    EXPECT_EQ(model.state().commandLineBox, u"name \"^1He^6l^4lo^7\""_s + test::kTagText);
    // The H is drawn as an H picked in red is.
    MainWindowModel direct{desktop, AppPaths::inFolder(appDir.path())};
    direct.start();
    direct.chooseColour(*kQuake3Colours.choiceOf('1'));
    direct.pickGlyph('H');
    EXPECT_NE(model.state().cells[0].glyph, whiteH);
    EXPECT_EQ(model.state().cells[0].glyph, direct.state().cells[0].glyph);

    model.undo();
    EXPECT_EQ(composeNameText(model.state()), "^7Hello");
    EXPECT_EQ(model.state().cells[0].glyph, whiteH);
    model.redo();
    EXPECT_EQ(composeNameText(model.state()), coloured);

    model.selectMode(GameMode::QuakeWorld);
    EXPECT_FALSE(model.gradientForm());
}

}  // namespace
}  // namespace vtl

#include <gtest/gtest.h>

#include "core/NameEditing.h"
#include "support/AppFolder.h"
#include "support/FakeDesktop.h"
#include "models/MainWindowModel.h"

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
    EXPECT_EQ(model.state().commandLineBox, u"name \"^1He^6l^4lo^7\" //VTL G2 v6.3"_s);
    // The H is drawn red now: no green or blue left in it.
    const QImage redH = model.state().cells[0].glyph;
    bool anyRed = false;
    for (int y = 0; y < redH.height(); ++y) {
        for (int x = 0; x < redH.width(); ++x) {
            const QRgb p = redH.pixel(x, y);
            EXPECT_EQ(qGreen(p) + qBlue(p), 0);
            anyRed = anyRed || qRed(p) > 128;
        }
    }
    EXPECT_TRUE(anyRed);

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

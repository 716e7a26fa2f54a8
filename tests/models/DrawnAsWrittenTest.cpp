#include <gtest/gtest.h>

#include <QImage>

#include <random>

#include "core/NameEditing.h"
#include "models/MainWindowModel.h"
#include "modes/ColourList.h"
#include "modes/Quake3Colours.h"
#include "support/AppFolder.h"
#include "support/FakeDesktop.h"

// What the strip draws is what the written line gives: after every step of
// long random scripts of keys and clicks, each drawn glyph has the colour the
// line's colour codes give its byte, and each drawn glyph is that byte's.

namespace vtl {
namespace {

using namespace Qt::StringLiterals;

// Glyphs whose colour-mode entry is their own single byte, so a position's
// byte in the line names its glyph.
const QByteArray kGlyphs = "ABCXYZabcxyz0189!#*+-=?@"_ba;

struct DrawnAsWrittenTest : ::testing::Test {
    test::AppFolder appDir;
    test::FakeDesktop desktop;
    MainWindowModel model{desktop, AppPaths::inFolder(appDir.path())};

    void SetUp() override {
        // Code c of colour row r is drawn with red c and green 20 r: a
        // glyph's pixel tells both.
        for (int row = 0; row < static_cast<int>(kQuake3Choices.size()); ++row) {
            QImage sheet(256, 256, QImage::Format_RGB32);
            for (int y = 0; y < 256; ++y) {
                for (int x = 0; x < 256; ++x) {
                    sheet.setPixel(x, y, qRgb(y / 16 * 16 + x / 16, 20 * row, 80));
                }
            }
            ASSERT_TRUE(sheet.save(appDir.pathOf(kQuake3Choices[row].sheet), "BMP"));
        }
        model.start();
    }

    // The colour row each position's byte gets from the name's bytes, read
    // as the colour games read them; -1 for a blank.
    static std::vector<std::pair<char, int>> writtenPositions(const QByteArray& name) {
        std::vector<std::pair<char, int>> positions;
        int row = 0;
        for (qsizetype i = 0; i < name.size();) {
            if (name.mid(i, 3) == "^^8") {
                row = 2;
                i += 3;
            } else if (name[i] == '^') {
                const QByteArray code = name.mid(i, 2);
                row = colourRowOfCode(kQuake3Colours, code);
                i += 2;
            } else {
                positions.emplace_back(name[i], name[i] == ' ' ? -1 : row);
                ++i;
            }
        }
        return positions;
    }

    void expectDrawnAsWritten(const std::string& step) {
        const WindowState& s = model.state();
        const QByteArray name = composeNameText(s);
        const std::vector<std::pair<char, int>> written = writtenPositions(name);
        for (int k = 0; k < kNameLength; ++k) {
            const QImage& glyph = s.cells[k].glyph;
            const auto [byte, row] =
                k < static_cast<int>(written.size()) ? written[k] : std::pair<char, int>{' ', -1};
            if (glyph.isNull()) {
                ASSERT_EQ(byte, ' ') << step << ": position " << k + 1 << " of " << name.data();
                continue;
            }
            const QRgb pixel = glyph.pixel(8, 8);
            ASSERT_EQ(qRed(pixel), static_cast<unsigned char>(byte))
                << step << ": position " << k + 1 << " of " << name.data();
            ASSERT_EQ(qGreen(pixel) / 20, row)
                << step << ": colour of position " << k + 1 << " of " << name.data();
        }
    }
};

TEST_F(DrawnAsWrittenTest, randomKeyAndClickScripts_drawEveryGlyphInItsWrittenColour) {
    std::mt19937 random(24);
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const auto glyph = [&] { return static_cast<unsigned char>(kGlyphs[pick(kGlyphs.size())]); };
    for (int script = 0; script < 60; ++script) {
        model.selectMode(script % 3 == 2 ? GameMode::Wolfenstein : GameMode::Quake3Arena);
        model.setInsertMode(false);
        std::string steps;
        for (int step = 0; step < 60; ++step) {
            switch (pick(14)) {
                case 0:
                case 1: {
                    const int digit = 1 + pick(8);
                    model.keyPressed(Qt::Key_0 + digit, Qt::ControlModifier, QString());
                    steps += "Ctrl+" + std::to_string(digit) + ' ';
                    break;
                }
                case 2: {
                    const int row = pick(8);
                    model.chooseColour(row);
                    steps += "colour " + std::to_string(row) + ' ';
                    break;
                }
                case 3:
                case 4: {
                    const unsigned char c = glyph();
                    model.keyPressed(0, Qt::NoModifier, QString(QLatin1Char(static_cast<char>(c))));
                    steps += c;
                    steps += ' ';
                    break;
                }
                case 5: {
                    const unsigned char c = glyph();
                    model.pickGlyph(c);
                    steps += "click " + std::string(1, static_cast<char>(c)) + ' ';
                    break;
                }
                case 6:
                    model.keyPressed(Qt::Key_Backspace, Qt::NoModifier, QString());
                    steps += "Backspace ";
                    break;
                case 7:
                    model.keyPressed(Qt::Key_Delete, Qt::NoModifier, QString());
                    steps += "Delete ";
                    break;
                case 8: {
                    const int slot = 1 + pick(12);
                    model.moveCursorTo(slot);
                    steps += "slot " + std::to_string(slot) + ' ';
                    break;
                }
                case 9:
                    model.setInsertMode(!model.state().insertMode);
                    steps += "Insert ";
                    break;
                case 10:
                    model.undo();
                    steps += "undo ";
                    break;
                case 11:
                    model.redo();
                    steps += "redo ";
                    break;
                case 12:
                    model.newName();
                    steps += "New Name ";
                    break;
                default: {
                    const QByteArray pasted = "^" + QByteArray::number(1 + pick(7)) + "AB^" +
                                              QByteArray::number(1 + pick(7)) + "C";
                    desktop.clipboardHolds = QString::fromLatin1(pasted);
                    model.pasteName();
                    steps += "paste " + pasted.toStdString() + ' ';
                    break;
                }
            }
            expectDrawnAsWritten(steps);
            if (HasFatalFailure()) {
                return;
            }
        }
    }
}

// The reported cases, each ending in a B typed after red was chosen.
TEST_F(DrawnAsWrittenTest, aGlyphTypedInAColour_isWrittenInIt) {
    struct Row {
        const char* name;
        std::function<void()> before;
        QByteArray nameText;
    };
    const Row rows[] = {
        {"after Backspace took the coded glyph",
         [&] {
             model.keyPressed(Qt::Key_1, Qt::ControlModifier, QString());
             model.keyPressed(0, Qt::NoModifier, u"A"_s);
             model.keyPressed(Qt::Key_Backspace, Qt::NoModifier, QString());
         },
         "^1B"},
        {"after New Name",
         [&] {
             model.keyPressed(Qt::Key_1, Qt::ControlModifier, QString());
             model.keyPressed(0, Qt::NoModifier, u"A"_s);
             model.newName();
         },
         "^1B"},
        {"after Paste Name in another colour",
         [&] {
             model.keyPressed(Qt::Key_1, Qt::ControlModifier, QString());
             desktop.clipboardHolds = u"name \"^3AC^7\""_s;
             model.pasteName();
         },
         "^3AC^1B"},
        {"in the colour already in force: no second code",
         [&] {
             model.keyPressed(Qt::Key_1, Qt::ControlModifier, QString());
             model.keyPressed(0, Qt::NoModifier, u"A"_s);
         },
         "^1AB"},
    };
    for (const Row& row : rows) {
        model.selectMode(GameMode::Quake3Arena);
        row.before();
        model.keyPressed(0, Qt::NoModifier, u"B"_s);
        EXPECT_EQ(composeNameText(model.state()), row.nameText) << row.name;
        expectDrawnAsWritten(row.name);
    }
}

}  // namespace
}  // namespace vtl

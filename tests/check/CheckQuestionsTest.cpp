#include <gtest/gtest.h>

#include "check/CheckQuestions.h"
#include "support/FakeDesktop.h"

using namespace Qt::StringLiterals;

namespace vtl {
namespace {

CheckReport reportFor(CheckMode mode, const QByteArray& line) {
    return checkName(mode, *tagFileLine(mode, line));
}

TEST(CheckQuestions, quoteInEveryEngine_asksWithNoAsDefault) {
    struct Case {
        const char* label;
        MessageAnswer answer;
        bool writes;
    } cases[] = {{"no", MessageAnswer::No, false}, {"yes", MessageAnswer::Yes, true}};
    for (const Case& c : cases) {
        test::FakeDesktop desktop;
        desktop.answers.push_back(c.answer);
        EXPECT_EQ(confirmLineWrite(desktop,
                                   reportFor(CheckMode::QuakeWorld, "name \"A\"Z\" //VTL G2 v6.3")),
                  c.writes)
            << c.label;
        ASSERT_EQ(desktop.messages.size(), 1u);
        const Message& m = desktop.messages[0];
        EXPECT_EQ(m.buttons, MessageButtons::YesNo);
        EXPECT_EQ(m.defaultButton, MessageAnswer::No);
        EXPECT_EQ(m.title, u"Name Check"_s);
        // Says what each game does, one line per engine.
        EXPECT_TRUE(m.text.contains(u"\rid QuakeWorld: Position 2: "_s)) << m.text.toStdString();
        EXPECT_TRUE(m.text.contains(u"no name is sent"_s));
        EXPECT_TRUE(m.text.endsWith(u"\rWrite the line anyway?"_s));
    }
}

TEST(CheckQuestions, otherFindings_neverAsk) {
    for (const auto& [mode, line] :
         std::vector<std::pair<CheckMode, QByteArray>>{{CheckMode::QuakeWorld, "name \"A\\B;C\""},
                                                       {CheckMode::Quake3, "seta name \"^7A;B^7\""},
                                                       {CheckMode::JumpGate, "name \"A\"B\""},
                                                       {CheckMode::Quake2Hex, "name \"4142\"u"}}) {
        test::FakeDesktop desktop;
        EXPECT_TRUE(confirmLineWrite(desktop, reportFor(mode, line)));
        EXPECT_TRUE(desktop.messages.empty());
    }
}

TEST(CheckQuestions, configPastTheLimit_namesIgnoringAndFineEngines) {
    test::FakeDesktop desktop;
    EXPECT_FALSE(confirmConfigSize(desktop, CheckMode::Quake3, u"/g/q3config.cfg"_s, 16366));
    ASSERT_EQ(desktop.messages.size(), 1u);
    const Message& m = desktop.messages[0];
    EXPECT_EQ(m.defaultButton, MessageAnswer::No);
    EXPECT_EQ(m.text,
              u"/g/q3config.cfg would grow to 16,366 bytes.\r"
              u"id Quake III 1.32 ignores a config larger than 16,365 bytes: the whole "
              u"file, your settings included.\r"
              u"ioquake3 still reads it.\r"
              u"Append the name anyway?"_s);

    test::FakeDesktop quiet;
    EXPECT_TRUE(confirmConfigSize(quiet, CheckMode::QuakeWorld, u"/q/config.cfg"_s, 8191));
    EXPECT_TRUE(quiet.messages.empty());
    quiet.answers.push_back(MessageAnswer::Yes);
    EXPECT_TRUE(confirmConfigSize(quiet, CheckMode::QuakeWorld, u"/q/config.cfg"_s, 8192));
    EXPECT_TRUE(quiet.messages.at(0).text.contains(u"id Quake ignores"_s));
}

}  // namespace
}  // namespace vtl

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <map>

#include "modes/CharTables.h"
#include "output/ClientStartup.h"
#include "output/OutputCommands.h"
#include "support/FakeDesktop.h"
#include "support/Files.h"
#include "support/NameState.h"
#include "support/Tag.h"

namespace vtl {
namespace {

using namespace Qt::StringLiterals;
using test::FakeDesktop;
using test::readBytes;
using test::writeBytes;

TEST(ClientStartup, eachCommand_nameItSets) {
    const struct {
        const char* text;
        const char* name;  // nullptr: sets none
    } cases[] = {
        {"name \"Ranger\"", "Ranger"},
        {"_cl_name \"Ranger\"\n", "Ranger"},
        {"seta name \"x y\"", "x y"},
        {"SET _CL_NAME bare", "bare"},
        {"name a; name b", "b"},
        {"name \"a;b\" //c; name d", "a;b"},
        {"name a\r\nname \"b\"\r\ncolor 4\r\n", "b"},
        {"// name x", nullptr},
        {"bind n \"name x\"", nullptr},
        {"setinfo name x", nullptr},
        {"", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const std::optional<QByteArray> name = lastNameIn(c.text);
        ASSERT_EQ(name.has_value(), c.name != nullptr);
        if (c.name) {
            EXPECT_EQ(*name, c.name);
        }
    }
}

// A name "A" in the QuakeWorld mode.
WindowState nameA() {
    WindowState state = test::nameState({"A"});
    state.Config = ConfigKind::Q1Config;
    return state;
}

// Game folders as the clients leave them. After Quick save with the answer
// the question starts with, every client starts as "A", and only the files the
// question named changed.
TEST(QuickSave, eachClientsFolder_defaultAnswerGivesEveryClientTheNewName) {
    const QByteArray binds = "bind w +forward\n";
    const struct {
        const char* what;
        std::map<QString, QByteArray> files;
        QStringList changed;  // the files that get the line
        int choices;          // rows the question offers; 0: no question
    } cases[] = {
        {"empty folder", {}, {u"config.cfg"_s}, 0},
        {"config.cfg only", {{u"config.cfg"_s, "name \"Old\"\n"}}, {u"config.cfg"_s}, 0},
        {"autoexec.cfg without a name", {{u"autoexec.cfg"_s, binds}}, {u"config.cfg"_s}, 0},
        {"vkQuake",
         {{u"config.cfg"_s, binds}, {u"vkQuake.cfg"_s, "_cl_name \"Vk\"\n"}},
         {u"vkQuake.cfg"_s, u"config.cfg"_s},
         3},
        {"Ironwail without a name line",
         {{u"ironwail.cfg"_s, binds}},
         {u"ironwail.cfg"_s, u"config.cfg"_s},
         3},
        {"every client's file",
         {{u"config.cfg"_s, "name Old\n"},
          {u"fte.cfg"_s, "name Fte\n"},
          {u"vkQuake.cfg"_s, "_cl_name Vk\n"},
          {u"ironwail.cfg"_s, "_cl_name Iw\n"},
          {u"autoexec.cfg"_s, "name Auto\n"}},
         {u"autoexec.cfg"_s, u"fte.cfg"_s, u"config.cfg"_s},
         4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        for (const auto& [file, bytes] : c.files) {
            writeBytes(dir.filePath(file), bytes);
        }
        WindowState state = nameA();
        FakeDesktop desktop;
        desktop.itemDefaultTaken = true;
        quickSave(state, desktop, [&](const QString&) { return dir.path(); });

        ASSERT_EQ(desktop.itemChoices.size(), c.choices ? 1u : 0u);
        if (c.choices) {
            EXPECT_EQ(desktop.itemChoices[0].items.size(), c.choices);
        }
        const FolderConfigs after = readFolderConfigs(dir.path());
        for (const QuakeClient& client : kQuakeClients) {
            EXPECT_EQ(nameAtStart(client, after), QByteArray("A"))
                << QString::fromUtf16(client.name).toStdString();
        }
        for (const auto& [file, bytes] : after) {
            const QByteArray before = c.files.contains(file) ? c.files.at(file) : QByteArray();
            EXPECT_EQ(bytes != before, c.changed.contains(file)) << file.toStdString();
        }
    }
}

TEST(QuickSave, folderWithFteCfg_questionNamesTheWinnerAndOnlyTheChosenFileChanges) {
    QTemporaryDir dir;
    const std::map<QString, QByteArray> old{{u"config.cfg"_s, "name Old\r\n"},
                                            {u"fte.cfg"_s, "seta name \"Fte\"\n"},
                                            {u"autoexec.cfg"_s, "name Auto\n"}};
    const struct {
        std::optional<int> answer;
        QStringList changed;  // in the order they are written
    } cases[] = {
        {std::nullopt, {}},
        {0, {u"autoexec.cfg"_s, u"fte.cfg"_s, u"config.cfg"_s}},
        {2, {u"fte.cfg"_s}},
        {3, {u"config.cfg"_s}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer.value_or(-1));
        for (const auto& [file, bytes] : old) {
            writeBytes(dir.filePath(file), bytes);
        }
        WindowState state = nameA();
        FakeDesktop desktop;
        desktop.itemReplies = {c.answer};
        quickSave(state, desktop, [&](const QString&) { return dir.path(); });

        ASSERT_EQ(desktop.itemChoices.size(), 1u);
        const ItemChoice& q = desktop.itemChoices[0];
        EXPECT_EQ(q.label,
                  u"At the next start not every client takes the name from config.cfg:\n"
                  u"autoexec.cfg runs after config.cfg in id Quake, QuakeSpasm, id QuakeWorld, "
                  u"vkQuake, Ironwail and sets the name.\n"
                  u"fte.cfg runs after config.cfg in FTE and sets the name.\n"
                  u"Append the name to:"_s);
        EXPECT_EQ(q.items, (QStringList{
                               u"autoexec.cfg, fte.cfg and config.cfg (every client starts with "
                               u"the new name)"_s,
                               u"autoexec.cfg only (wins for id Quake, QuakeSpasm, id QuakeWorld, "
                               u"vkQuake, Ironwail)"_s,
                               u"fte.cfg only (wins for FTE)"_s,
                               u"config.cfg only (the clients above keep their old name)"_s,
                           }));
        EXPECT_EQ(q.selected, 0);
        QStringList messages;
        for (const QString& file : c.changed) {
            messages << u"File Saved to Default Config: "_s + dir.filePath(file);
        }
        if (!c.changed.isEmpty()) {
            messages << u"File saved to: "_s + dir.filePath(c.changed.back()) +
                            u"\rYou will need to manually execute this script."_s;
        }
        EXPECT_EQ(desktop.messageTexts(), messages);
        for (const auto& [file, bytes] : old) {
            EXPECT_EQ(
                readBytes(dir.filePath(file)),
                c.changed.contains(file) ? bytes + "\r\nname \"A\"" + test::kTag + "\r\n" : bytes)
                << file.toStdString();
        }
    }
}

}  // namespace
}  // namespace vtl

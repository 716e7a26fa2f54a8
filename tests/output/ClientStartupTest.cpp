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

// Game folders as the clients leave them, and the answer to the question Quick save asks when
// a client would not start with the name from config.cfg (nullopt: cancelled). The files the
// answer names get the line, in order, and nothing else changes; with the answer the question
// starts with, every client starts as "A".
TEST(QuickSave, eachClientsFolderAndAnswer_lineGoesWhereTheAnswerSays) {
    const QByteArray binds = "bind w +forward\n";
    const std::map<QString, QByteArray> fteAndAutoexec{{u"config.cfg"_s, "name Old\r\n"},
                                                       {u"fte.cfg"_s, "seta name \"Fte\"\n"},
                                                       {u"autoexec.cfg"_s, "name Auto\n"}};
    const QStringList all{u"autoexec.cfg"_s, u"fte.cfg"_s, u"config.cfg"_s};
    const struct {
        const char* what;
        std::map<QString, QByteArray> files;
        std::optional<int> answer;
        QStringList changed;  // in the order they are written
        int choices;          // rows the question offers; 0: no question
    } cases[] = {
        {"empty folder", {}, 0, {u"config.cfg"_s}, 0},
        {"config.cfg only", {{u"config.cfg"_s, "name \"Old\"\n"}}, 0, {u"config.cfg"_s}, 0},
        {"autoexec.cfg without a name", {{u"autoexec.cfg"_s, binds}}, 0, {u"config.cfg"_s}, 0},
        {"vkQuake",
         {{u"config.cfg"_s, binds}, {u"vkQuake.cfg"_s, "_cl_name \"Vk\"\n"}},
         0,
         {u"vkQuake.cfg"_s, u"config.cfg"_s},
         3},
        {"Ironwail without a name line",
         {{u"ironwail.cfg"_s, binds}},
         0,
         {u"ironwail.cfg"_s, u"config.cfg"_s},
         3},
        {"every client's file",
         {{u"config.cfg"_s, "name Old\n"},
          {u"fte.cfg"_s, "name Fte\n"},
          {u"vkQuake.cfg"_s, "_cl_name Vk\n"},
          {u"ironwail.cfg"_s, "_cl_name Iw\n"},
          {u"autoexec.cfg"_s, "name Auto\n"}},
         0,
         all,
         4},
        {"cancelled", fteAndAutoexec, std::nullopt, {}, 4},
        {"every file", fteAndAutoexec, 0, all, 4},
        {"fte.cfg only", fteAndAutoexec, 2, {u"fte.cfg"_s}, 4},
        {"config.cfg only", fteAndAutoexec, 3, {u"config.cfg"_s}, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        for (const auto& [file, bytes] : c.files) {
            writeBytes(dir.filePath(file), bytes);
        }
        WindowState state = test::nameState({"A"});
        state.Config = ConfigKind::Q1Config;
        FakeDesktop desktop;
        desktop.itemReplies = {c.answer};
        quickSave(state, desktop, [&](const QString&) { return dir.path(); });

        ASSERT_EQ(desktop.itemChoices.size(), c.choices ? 1u : 0u);
        if (c.choices) {
            EXPECT_EQ(desktop.itemChoices[0].items.size(), c.choices);
            EXPECT_EQ(desktop.itemChoices[0].selected, 0);
        }
        const FolderConfigs after = readFolderConfigs(dir.path());
        for (const QuakeClient& client : kQuakeClients) {
            EXPECT_TRUE(c.answer != 0 || nameAtStart(client, after) == QByteArray("A"))
                << QString::fromUtf16(client.name).toStdString();
        }
        for (const auto& [file, bytes] : after) {
            const QByteArray before = c.files.contains(file) ? c.files.at(file) : QByteArray();
            // A file Quick save creates gets the trailer too.
            const QByteArray line = "\r\nname \"A\"" + test::kTag +
                                    (before.isNull() ? test::kTrailer : QByteArray()) + "\r\n";
            EXPECT_EQ(bytes, c.changed.contains(file) ? before + line : before)
                << file.toStdString();
        }
        // Each file is joined to the folder, as it was configured, by the
        // system's own separator.
        const auto shown = [&](const QString& file) -> QString {
            return dir.path() + QDir::separator() + file;
        };
        QStringList messages;
        for (const QString& file : c.changed) {
            if (c.files.contains(file)) {
                messages << u"File Saved to Default Config: "_s + shown(file);
            }
        }
        if (!c.changed.isEmpty()) {
            messages << u"File saved to: "_s + shown(c.changed.back()) +
                            u"\rYou will need to manually execute this script."_s;
        }
        EXPECT_EQ(desktop.messageTexts(), messages);
        if (c.files == fteAndAutoexec && c.answer == 2) {
            const ItemChoice& q = desktop.itemChoices[0];
            EXPECT_EQ(q.label,
                      u"At the next start not every client takes the name from config.cfg:\n"
                      u"autoexec.cfg runs after config.cfg in id Quake, QuakeSpasm, id QuakeWorld, "
                      u"vkQuake, Ironwail and sets the name.\n"
                      u"fte.cfg runs after config.cfg in FTE and sets the name.\n"
                      u"Append the name to:"_s);
            EXPECT_EQ(q.items, (QStringList{
                                   u"autoexec.cfg, fte.cfg and config.cfg (every client starts "
                                   u"with the new name)"_s,
                                   u"autoexec.cfg only (wins for id Quake, QuakeSpasm, id "
                                   u"QuakeWorld, vkQuake, Ironwail)"_s,
                                   u"fte.cfg only (wins for FTE)"_s,
                                   u"config.cfg only (the clients above keep their old name)"_s,
                               }));
        }
    }
}

}  // namespace
}  // namespace vtl

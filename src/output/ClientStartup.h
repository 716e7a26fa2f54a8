#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <map>
#include <optional>

// Which config file gives a Quake client its name when it starts. Quick Save
// appends to config.cfg, but several clients run files of their own after it
// (or instead of it), and the last `name` line they run wins.

namespace vtl {

inline constexpr char16_t kQuakeConfig[] = u"config.cfg";

// A client's start-up as far as the game folder goes.
struct QuakeClient {
    const char16_t* name;
    // Run instead of config.cfg when the folder holds it; nullptr: none.
    const char16_t* ownConfig;
    // Run after config.cfg (or ownConfig), in this order; nullptr ends the list.
    std::array<const char16_t*, 2> after;
};

inline constexpr QuakeClient kQuakeClients[] = {
    // quake.rc in id1/pak0.pak: exec default.cfg, config.cfg, autoexec.cfg.
    {u"id Quake, QuakeSpasm, id QuakeWorld", nullptr, {u"autoexec.cfg", nullptr}},
    // `exec config.cfg` queues `exec fte.cfg` behind what quake.rc still holds
    // (FTE cmd.c:773-781).
    {u"FTE", nullptr, {u"autoexec.cfg", u"fte.cfg"}},
    // `exec config.cfg` runs the game's vkQuake.cfg when there is one
    // (vkQuake cmd.c:281-323), and ironwail.cfg likewise (Ironwail cmd.c:302-310).
    {u"vkQuake", u"vkQuake.cfg", {u"autoexec.cfg", nullptr}},
    {u"Ironwail", u"ironwail.cfg", {u"autoexec.cfg", nullptr}},
};

// The config files of a game folder that some client runs, by file name:
// only those that exist, with their bytes.
using FolderConfigs = std::map<QString, QByteArray>;
// Files that can't be read count as missing.
FolderConfigs readFolderConfigs(const QString& folder);

// The file names the client runs at start-up, in order.
QStringList runOrder(const QuakeClient& client, const FolderConfigs& configs);

// The value of the last command in `text` that sets the name (`name`,
// `_cl_name`, or either after `set`/`seta`); nothing when none does.
std::optional<QByteArray> lastNameIn(const QByteArray& text);

// The name the client starts with: the last one its files set.
std::optional<QByteArray> nameAtStart(const QuakeClient& client, const FolderConfigs& configs);

// A file that keeps clients from taking the name from config.cfg.
struct NameOverride {
    QString file;
    QStringList clients;
    bool insteadOfConfig = false;  // run instead of config.cfg, not after it
};
// Where `line`, appended to config.cfg, would not be the name a client starts
// with: for each such client, the file that decides instead. One entry per
// file, in the order of kQuakeClients.
QList<NameOverride> configOverrides(const FolderConfigs& configs, const QByteArray& line);

}  // namespace vtl

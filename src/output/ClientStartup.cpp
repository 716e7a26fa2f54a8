#include "output/ClientStartup.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace vtl {

using namespace Qt::StringLiterals;

namespace {

QStringList clientFiles() {
    QStringList files{QString::fromUtf16(kQuakeConfig)};
    for (const QuakeClient& client : kQuakeClients) {
        if (client.ownConfig) {
            files << QString::fromUtf16(client.ownConfig);
        }
        for (const char16_t* file : client.after) {
            if (file) {
                files << QString::fromUtf16(file);
            }
        }
    }
    files.removeDuplicates();
    return files;
}

// The console's tokens of one command: quoted strings to the next quote,
// other tokens to the next blank.
QList<QByteArray> tokens(const QByteArray& command) {
    QList<QByteArray> out;
    qsizetype i = 0;
    while (i < command.size()) {
        while (i < command.size() && static_cast<uchar>(command[i]) <= ' ') {
            ++i;
        }
        if (i >= command.size()) {
            break;
        }
        QByteArray token;
        if (command[i] == '"') {
            const qsizetype close = command.indexOf('"', i + 1);
            const qsizetype end = close < 0 ? command.size() : close;
            token = command.mid(i + 1, end - i - 1);
            i = end + 1;
        } else {
            while (i < command.size() && static_cast<uchar>(command[i]) > ' ') {
                token += command[i++];
            }
        }
        out << token;
    }
    return out;
}

bool namesTheName(const QByteArray& word) {
    return word.compare("name", Qt::CaseInsensitive) == 0 ||
           word.compare("_cl_name", Qt::CaseInsensitive) == 0;
}

}  // namespace

FolderConfigs readFolderConfigs(const QString& folder) {
    FolderConfigs configs;
    for (const QString& name : clientFiles()) {
        const QString path = folder + u'/' + name;
        if (!QFileInfo(path).isFile()) {
            continue;
        }
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            configs[name] = file.readAll();
        }
    }
    return configs;
}

QStringList runOrder(const QuakeClient& client, const FolderConfigs& configs) {
    QStringList order;
    const auto add = [&](const QString& file) {
        if (configs.contains(file)) {
            order << file;
        }
    };
    const QString own = client.ownConfig ? QString::fromUtf16(client.ownConfig) : QString();
    add(!own.isEmpty() && configs.contains(own) ? own : QString::fromUtf16(kQuakeConfig));
    for (const char16_t* file : client.after) {
        if (file) {
            add(QString::fromUtf16(file));
        }
    }
    return order;
}

std::optional<QByteArray> lastNameIn(const QByteArray& text) {
    std::optional<QByteArray> name;
    // Commands end at a line break or at a semicolon outside quotes; `//`
    // outside quotes starts a comment that runs to the line's end.
    QByteArray command;
    bool quoted = false;
    bool comment = false;
    const auto finish = [&] {
        const QList<QByteArray> t = tokens(command);
        if (t.size() >= 2 && namesTheName(t[0])) {
            name = t[1];
        } else if (t.size() >= 3 &&
                   (t[0].compare("set", Qt::CaseInsensitive) == 0 ||
                    t[0].compare("seta", Qt::CaseInsensitive) == 0) &&
                   namesTheName(t[1])) {
            name = t[2];
        }
        command.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\n' || c == '\r') {
            finish();
            quoted = false;
            comment = false;
            continue;
        }
        if (comment) {
            continue;
        }
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && c == ';') {
            finish();
            continue;
        } else if (!quoted && c == '/' && i + 1 < text.size() && text[i + 1] == '/') {
            comment = true;
            continue;
        }
        command += c;
    }
    finish();
    return name;
}

std::optional<QByteArray> nameAtStart(const QuakeClient& client, const FolderConfigs& configs) {
    std::optional<QByteArray> name;
    for (const QString& file : runOrder(client, configs)) {
        if (std::optional<QByteArray> set = lastNameIn(configs.at(file))) {
            name = set;
        }
    }
    return name;
}

QList<NameOverride> configOverrides(const FolderConfigs& configs, const QByteArray& line) {
    const QString config = QString::fromUtf16(kQuakeConfig);
    FolderConfigs after = configs;
    after[config] += "\r\n" + line + "\r\n";
    const std::optional<QByteArray> wanted = lastNameIn(line);

    QList<NameOverride> overrides;
    for (const QuakeClient& client : kQuakeClients) {
        if (nameAtStart(client, after) == wanted) {
            continue;
        }
        const QStringList order = runOrder(client, after);
        // The last file that sets a name decides; a client's own config that
        // sets none still keeps config.cfg from running.
        QString decides;
        for (const QString& file : order) {
            if (lastNameIn(after.at(file))) {
                decides = file;
            }
        }
        if (decides.isEmpty() || decides == config) {
            decides = order.value(0);
        }
        const bool instead = !order.contains(config) && decides == order.value(0);
        const auto same = [&](const NameOverride& o) { return o.file == decides; };
        auto it = std::find_if(overrides.begin(), overrides.end(), same);
        if (it == overrides.end()) {
            overrides.append({decides, {}, instead});
            it = overrides.end() - 1;
        }
        it->clients << QString::fromUtf16(client.name);
    }
    return overrides;
}

}  // namespace vtl

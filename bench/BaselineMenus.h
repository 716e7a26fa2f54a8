#pragma once

// The main window's menu bar as plain data, for the start-up yardstick: the
// same menus, items, separators, shortcuts and check boxes, with no command
// behind them. tests/app/StartupBaselineTest.cpp compares it with the real
// menu bar, so a new menu item must be added here too.

#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include <initializer_list>

namespace vtl::bench {

struct MenuItem {
    enum Kind { Command, Check, Separator, Submenu, End } kind;
    const char* caption = "";
    QKeySequence::StandardKey standardKey = QKeySequence::UnknownKey;
    std::initializer_list<QKeyCombination> keys = {};
};

// Depth-first: a Submenu row opens a menu, End closes it; the top level's
// Submenu rows are the menu bar's menus.
inline const std::initializer_list<MenuItem> kBaselineMenus = {
    {MenuItem::Submenu, "&File"},
    {MenuItem::Command, "&New Name"},
    {MenuItem::Command, "&Open Name\u2026", QKeySequence::Open},
    {MenuItem::Command, "&Save Name"},
    {MenuItem::Command, "&QuickSave"},
    {MenuItem::Command, "&Export name as Bitmap"},
    {MenuItem::Command, "Export name as &PNG\u2026"},
    {MenuItem::Separator},
    {MenuItem::Submenu, "Copy Name"},
    {MenuItem::Command, "Copy Funname Command Line"},
    {MenuItem::Command, "Copy Raw Funname Source"},
    {MenuItem::Command, "Copy Name as Picture"},
    {MenuItem::End},
    {MenuItem::Command, "&Configure"},
    {MenuItem::Separator},
    {MenuItem::Command, "&Exit"},
    {MenuItem::End},
    {MenuItem::Submenu, "&Edit"},
    {MenuItem::Command, "&Undo", QKeySequence::UnknownKey, {Qt::CTRL | Qt::Key_Z}},
    {MenuItem::Command,
     "&Redo",
     QKeySequence::UnknownKey,
     {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, Qt::CTRL | Qt::Key_Y}},
    {MenuItem::Command, "&Paste Name", QKeySequence::Paste},
    {MenuItem::Separator},
    {MenuItem::Check, "&Insert Mode", QKeySequence::UnknownKey, {QKeyCombination(Qt::Key_Insert)}},
    {MenuItem::Check, "Type in &Second Set", QKeySequence::UnknownKey, {Qt::CTRL | Qt::Key_T}},
    {MenuItem::Separator},
    {MenuItem::Command, "Check Name\u2026"},
    {MenuItem::End},
    {MenuItem::Submenu, "&Game/Mode"},
    {MenuItem::Submenu, "Quake I (QuakeWorld)"},
    {MenuItem::Command, "QuakeWorld"},
    {MenuItem::Command, "QuakeWorld MOD"},
    {MenuItem::End},
    {MenuItem::Submenu, "Quake II"},
    {MenuItem::Command, "Quake II"},
    {MenuItem::Command, "RivCTF/Viking Server MOD"},
    {MenuItem::End},
    {MenuItem::Command, "Quake III: Arena"},
    {MenuItem::Separator},
    {MenuItem::Submenu, "Hexen II"},
    {MenuItem::Command, "Hexen II"},
    {MenuItem::Command, "Hexen II MOD"},
    {MenuItem::End},
    {MenuItem::Command, "Return to Castle Wolfenstein"},
    {MenuItem::Command, "JumpGate"},
    {MenuItem::Separator},
    {MenuItem::Command, "Urban Terror"},
    {MenuItem::Command, "Jedi Academy (OpenJK)"},
    {MenuItem::Command, "Enemy Territory (ET: Legacy)"},
    {MenuItem::Command, "Warfork"},
    {MenuItem::Command, "Quake Live"},
    {MenuItem::Separator},
    {MenuItem::Command, "Use Game's Own Charset\u2026"},
    {MenuItem::Command, "Use Built-in Charset"},
    {MenuItem::End},
    {MenuItem::Submenu, "&About/Help"},
    {MenuItem::Command, "&About"},
    {MenuItem::Command, "&Help"},
    {MenuItem::Command, "&Quenmoor Software Homepage"},
    {MenuItem::End},
};

// Fills `bar` from kBaselineMenus.
inline void addBaselineMenus(QMenuBar* bar) {
    QList<QMenu*> open;
    for (const MenuItem& item : kBaselineMenus) {
        const QString caption = QString::fromUtf8(item.caption);
        switch (item.kind) {
            case MenuItem::Submenu:
                open.append(open.isEmpty() ? bar->addMenu(caption)
                                           : open.constLast()->addMenu(caption));
                break;
            case MenuItem::End:
                open.removeLast();
                break;
            case MenuItem::Separator:
                open.constLast()->addSeparator();
                break;
            case MenuItem::Command:
            case MenuItem::Check: {
                QAction* a = open.constLast()->addAction(caption);
                QList<QKeySequence> keys;
                if (item.standardKey != QKeySequence::UnknownKey) {
                    keys.append(QKeySequence(item.standardKey));
                }
                for (const QKeyCombination key : item.keys) {
                    keys.append(QKeySequence(key));
                }
                if (!keys.isEmpty()) {
                    a->setShortcuts(keys);
                }
                a->setCheckable(item.kind == MenuItem::Check);
                break;
            }
        }
    }
}

}  // namespace vtl::bench

#pragma once

// The main window's menu bar as plain data, for the start-up yardstick: the
// same menus, items, separators, shortcuts and check boxes, with no command
// behind them. A test in tests/app/MainWindowTest.cpp compares it with the real
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
    {MenuItem::Command, "&New Name", QKeySequence::UnknownKey, {Qt::CTRL | Qt::Key_N}},
    {MenuItem::Command, "&Open Name\u2026", QKeySequence::Open},
    {MenuItem::Command, "&Save Name", QKeySequence::UnknownKey, {Qt::CTRL | Qt::Key_S}},
    {MenuItem::Command, "&QuickSave", QKeySequence::UnknownKey, {Qt::CTRL | Qt::SHIFT | Qt::Key_S}},
    {MenuItem::Command, "&Export name as Bitmap"},
    {MenuItem::Command, "Export name as &PNG\u2026"},
    {MenuItem::Separator},
    {MenuItem::Submenu, "Copy Name"},
    {MenuItem::Command,
     "Copy Funname Command Line",
     QKeySequence::UnknownKey,
     {Qt::CTRL | Qt::Key_C}},
    {MenuItem::Command, "Copy Raw Funname Source"},
    {MenuItem::Command, "Copy Name as &Picture"},
    {MenuItem::End},
    {MenuItem::Command, "&Configure"},
    {MenuItem::Separator},
    {MenuItem::Command, "&Exit", QKeySequence::UnknownKey, {Qt::CTRL | Qt::Key_Q}},
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
    {MenuItem::Command, "Colour &Gradient\u2026"},
    {MenuItem::Command, "&Check Name\u2026"},
    {MenuItem::End},
    {MenuItem::Submenu, "&Game/Mode"},
    {MenuItem::Submenu, "Quake I (QuakeWorld)"},
    {MenuItem::Check, "QuakeWorld"},
    {MenuItem::Check, "QuakeWorld MOD"},
    {MenuItem::End},
    {MenuItem::Submenu, "Quake II"},
    {MenuItem::Check, "Quake II"},
    {MenuItem::Check, "RivCTF/Viking Server MOD"},
    {MenuItem::End},
    {MenuItem::Check, "Quake III: Arena"},
    {MenuItem::Separator},
    {MenuItem::Submenu, "Hexen II"},
    {MenuItem::Check, "Hexen II"},
    {MenuItem::Check, "Hexen II MOD"},
    {MenuItem::End},
    {MenuItem::Check, "Return to Castle Wolfenstein"},
    {MenuItem::Check, "JumpGate"},
    {MenuItem::Separator},
    {MenuItem::Check, "Urban Terror"},
    {MenuItem::Check, "Jedi Academy (OpenJK)"},
    {MenuItem::Check, "Enemy Territory (ET: Legacy)"},
    {MenuItem::Check, "Warfork"},
    {MenuItem::Check, "Quake Live"},
    {MenuItem::Check, "Xonotic"},
    {MenuItem::Separator},
    {MenuItem::Command, "Use Game's &Own Charset\u2026"},
    {MenuItem::Command, "Use &Built-in Charset"},
    {MenuItem::End},
    {MenuItem::Submenu, "&About/Help"},
    {MenuItem::Command, "&About"},
    {MenuItem::Command, "&Help", QKeySequence::UnknownKey, {QKeyCombination(Qt::Key_F1)}},
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

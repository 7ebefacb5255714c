#include "shell/MenuTree.h"

using namespace Qt::Literals::StringLiterals;

namespace kf {

MenuTree::MenuTree(QMenuBar& menuBar, ClickHandler onClick, QObject* parent)
    : QObject(parent), m_onClick(std::move(onClick)) {
    for (const MenuRow& row : menuTable()) {
        array(row.array).append(addRow(menuBar, row));
    }
}

QMenu* MenuTree::submenuOf(MenuArrayId id, int index) const {
    const QAction* action = item(id, index);
    return action ? action->menu() : nullptr;
}

QAction* MenuTree::addRow(QMenuBar& menuBar, const MenuRow& row) {
    const std::optional<MenuParent> parent = menuParentOf(row.array);
    QMenu* parentMenu = parent ? submenuOf(parent->array, parent->index) : nullptr;

    QAction* action = nullptr;
    if (row.opensSubmenu) {
        QMenu* menu = parentMenu ? parentMenu->addMenu(row.caption) : menuBar.addMenu(row.caption);
        action = menu->menuAction();
    } else if (row.caption == u"-"_s) {
        action = parentMenu->addSeparator();
    } else {
        action = parentMenu->addAction(row.caption);
        if (!row.shortcut.isEmpty()) {
            action->setShortcut(QKeySequence(row.shortcut));
        }
        action->setCheckable(row.checkable);
        action->setChecked(row.checked);
        const MenuArrayId array = row.array;
        const int index = row.index;
        connect(action, &QAction::triggered, this, [this, action, array, index] {
            // Check marks are the handlers' state (play mode, scale, quality): Qt's own
            // toggle on a click is undone so only the handler decides.
            if (action->isCheckable()) {
                action->setChecked(!action->isChecked());
            }
            if (m_onClick) {
                m_onClick(array, index);
            }
        });
    }
    action->setVisible(row.visible);
    return action;
}

} // namespace kf

#pragma once

#include "platform/MenuArray.h"
#include "shell/MenuTable.h"

#include <QMenu>
#include <QMenuBar>
#include <QObject>

#include <array>
#include <functional>

namespace kf {

// The main window's menus, built from the menu table. Every item is reachable by its array
// and index, and a click reports exactly that pair.
class MenuTree : public QObject {
    Q_OBJECT

public:
    using ClickHandler = std::function<void(MenuArrayId array, int index)>;

    MenuTree(QMenuBar& menuBar, ClickHandler onClick, QObject* parent = nullptr);

    MenuArray& array(MenuArrayId id) { return m_arrays[std::size_t(id)]; }
    const MenuArray& array(MenuArrayId id) const { return m_arrays[std::size_t(id)]; }
    QAction* item(MenuArrayId id, int index) const { return array(id).item(index); }
    // The submenu that an item opens (top-level menus, "播放品质", "快退", "快进").
    QMenu* submenuOf(MenuArrayId id, int index) const;

private:
    QAction* addRow(QMenuBar& menuBar, const MenuRow& row);

    ClickHandler m_onClick;
    std::array<MenuArray, MenuArrayCount> m_arrays;
};

} // namespace kf

#pragma once

#include <QAction>
#include <QList>

namespace kf {

// A group of menu items addressed by index, the way the handlers name them ("mnuset 11").
// The actions belong to their menus; the array only points at them.
class MenuArray {
public:
    void append(QAction* action) { m_items.append(action); }
    QAction* item(int index) const { return m_items.value(index); }
    QAction* operator[](int index) const { return item(index); }
    int count() const { return int(m_items.size()); }
    int indexOf(const QAction* action) const { return int(m_items.indexOf(action)); }

private:
    QList<QAction*> m_items;
};

} // namespace kf

#pragma once

#include <Qt>

namespace kf {

// How the list is ordered, held by the list as the original control held it. Column clicks
// switch sorting on and for good; until then rows stay in the order they were added.
struct PlaylistSortState {
    bool Sorted = false;
    int SortKey = 0;
    Qt::SortOrder SortOrder = Qt::AscendingOrder;
};

} // namespace kf

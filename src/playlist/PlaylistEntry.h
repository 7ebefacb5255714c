#pragma once

#include <QString>

namespace kf {

// One row of the playlist. Every field is text because sorting compares what is shown.
struct PlaylistEntry {
    QString number;
    QString name;
    QString path;
    QString type;
    QString size;

    // The text shown in a column, counted from 0 in the list's column order.
    const QString& field(int column) const {
        switch (column) {
        case 1:
            return name;
        case 2:
            return path;
        case 3:
            return type;
        case 4:
            return size;
        default:
            return number;
        }
    }
};

} // namespace kf

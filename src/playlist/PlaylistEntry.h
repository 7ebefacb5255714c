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
};

} // namespace kf

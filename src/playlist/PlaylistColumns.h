#pragma once

#include <QList>
#include <QString>
#include <Qt>

namespace kf {

enum class PlaylistColumn { Number = 0, Name, Path, Type, Size };

struct PlaylistColumnDesign {
    QString key;
    QString caption;
    int widthTwips;
    Qt::Alignment alignment;
};

// The five columns in display order, with the alignment the list actually shows.
const QList<PlaylistColumnDesign>& playlistColumns();

} // namespace kf

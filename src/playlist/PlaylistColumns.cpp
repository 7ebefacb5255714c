#include "playlist/PlaylistColumns.h"

using namespace Qt::Literals::StringLiterals;

namespace kf {

const QList<PlaylistColumnDesign>& playlistColumns() {
    // Centre is requested for the number column too, but a report list keeps its first
    // column left-aligned, and users know the list that way.
    static const QList<PlaylistColumnDesign> columns{
        {u"xh"_s, u"序号"_s, 1000, Qt::AlignLeft},       {u"name"_s, u"名称"_s, 2000, Qt::AlignHCenter},
        {u"dir"_s, u"文件路径"_s, 6000, Qt::AlignLeft},  {u"type"_s, u"文件类型"_s, 1000, Qt::AlignHCenter},
        {u"size"_s, u"文件大小"_s, 2000, Qt::AlignLeft},
    };
    return columns;
}

} // namespace kf

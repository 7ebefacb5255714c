#pragma once

#include <QString>
#include <QStringView>

namespace kf {

// A file-name pattern with "*" and "?", matched without regard to letter case as the
// desktop's file dialogs and searches do, so "*.swf" also finds INTRO.SWF.
class FileNamePattern {
public:
    explicit FileNamePattern(const QString& pattern);

    bool matches(QStringView name) const;
    const QString& pattern() const { return m_pattern; }

private:
    QString m_pattern;
    // "*.swf" and the like, the common case, only compare the end of the name.
    QString m_suffix;
    bool m_isSuffixPattern = false;
};

} // namespace kf

#include "platform/FileNamePattern.h"

namespace kf {

namespace {

bool sameLetter(QChar left, QChar right) {
    return left == right || left.toCaseFolded() == right.toCaseFolded();
}

// Greedy matching with one back-tracking point per "*": linear for the usual patterns and
// never exponential for odd ones.
bool wildcardMatches(QStringView pattern, QStringView name) {
    qsizetype patternAt = 0;
    qsizetype nameAt = 0;
    qsizetype starAt = -1;
    qsizetype nameAtStar = 0;
    while (nameAt < name.size()) {
        if (patternAt < pattern.size() && pattern[patternAt] == u'*') {
            starAt = patternAt++;
            nameAtStar = nameAt;
        } else if (patternAt < pattern.size() &&
                   (pattern[patternAt] == u'?' || sameLetter(pattern[patternAt], name[nameAt]))) {
            ++patternAt;
            ++nameAt;
        } else if (starAt >= 0) {
            patternAt = starAt + 1;
            nameAt = ++nameAtStar;
        } else {
            return false;
        }
    }
    while (patternAt < pattern.size() && pattern[patternAt] == u'*') {
        ++patternAt;
    }
    return patternAt == pattern.size();
}

} // namespace

FileNamePattern::FileNamePattern(const QString& pattern) : m_pattern(pattern) {
    const QStringView rest = QStringView(pattern).mid(1);
    m_isSuffixPattern = pattern.startsWith(u'*') && !rest.contains(u'*') && !rest.contains(u'?');
    if (m_isSuffixPattern) {
        m_suffix = rest.toString();
    }
}

bool FileNamePattern::matches(QStringView name) const {
    if (m_isSuffixPattern) {
        return name.endsWith(m_suffix, Qt::CaseInsensitive);
    }
    return wildcardMatches(m_pattern, name);
}

} // namespace kf

#pragma once

#include "common/Result.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace kf::swf {

struct ConformOptions {
    QString corpusPath = QStringLiteral("../shared/corpus");
    QStringList filters; // a test runs when its name contains any of these
    bool listOnly = false;
    bool unscriptedOnly = false; // image tests whose movies need no ActionScript
    std::optional<int> minimumPasses;
    std::optional<int> minimumTracePasses;
    QString failedImageFolder; // where to save the renders of failed captures
    bool showHelp = false;
};

// Exit status when the corpus folder does not exist (CTest's SKIP_RETURN_CODE).
constexpr int corpusMissingStatus = 77;

Result<ConformOptions> parseConformOptions(const QStringList& arguments);
QString conformUsage();

} // namespace kf::swf

#include "shell/CommandLine.h"

using namespace Qt::Literals::StringLiterals;

namespace kf {

QString CommandLine::listTextFromString(const QString& commandLine) {
    QString text = commandLine;
    if (text.contains(u'"')) {
        text.replace(u"\" "_s, u"\r\n"_s);
        text.remove(u'"');
        return text;
    }
    // Two drive colons mean at least two unquoted paths, which cannot contain spaces.
    if (text.count(u':') > 1) {
        text.replace(u' ', u"\r\n"_s);
    }
    return text;
}

QString CommandLine::listTextFromArguments(const QStringList& arguments) {
    return arguments.join(u"\r\n"_s);
}

} // namespace kf

#pragma once

#include <QString>
#include <QStringList>

namespace kf {

// Turns the command line into the list text the loader takes: one path per CR LF line.
class CommandLine {
public:
    // From one raw command-line string, as a shell that does not split arguments hands it
    // over: quoted paths, or unquoted ones told apart by their drive colons.
    static QString listTextFromString(const QString& commandLine);
    // From arguments the shell has already split and unquoted: each argument is one path.
    static QString listTextFromArguments(const QStringList& arguments);
};

} // namespace kf

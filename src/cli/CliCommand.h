#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <map>
#include <memory>

namespace quabe {
class Dictionary;
}

namespace quabe::cli {

// A sub-command of quabe-cli: receives the arguments after its name and
// returns the process exit code. Commands register themselves from their own
// source file with QUABE_CLI_COMMAND, so adding one touches no shared file.
using CommandFunction = std::function<int(const QStringList& args)>;

struct CommandInfo {
  QString usage;
  QString summary;
  CommandFunction run;
};

std::map<QString, CommandInfo>& commandRegistry();

struct CommandRegistrar {
  CommandRegistrar(const QString& name, const QString& usage, const QString& summary, CommandFunction run) {
    commandRegistry()[name] = CommandInfo{usage, summary, std::move(run)};
  }
};

QTextStream& out();
QTextStream& err();

// Value of "--name VALUE" (or the fallback) and removal of it from args.
QString takeOption(QStringList& args, const QString& name, const QString& fallback = QString());
bool takeFlag(QStringList& args, const QString& name);
// The dictionary of "OPTION PATH" (removed from args), or the bundled one
// without the option; nullptr, after saying so, when PATH is no file.
std::unique_ptr<Dictionary> takeDictionary(QStringList& args, const QString& option);

}  // namespace quabe::cli

#define QUABE_CLI_CONCAT2(a, b) a##b
#define QUABE_CLI_CONCAT(a, b) QUABE_CLI_CONCAT2(a, b)
#define QUABE_CLI_COMMAND(name, usage, summary, fn) \
  static const ::quabe::cli::CommandRegistrar QUABE_CLI_CONCAT(quabeCliRegistrar, __LINE__)(name, usage, summary, fn)

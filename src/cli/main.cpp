#include <QApplication>
#include <QFileInfo>

#include "cli/CliCommand.h"
#include "core/Alerts.h"
#include "core/Resources.h"
#include "dictionary/Dictionary.h"

namespace quabe::cli {

std::map<QString, CommandInfo>& commandRegistry() {
  static std::map<QString, CommandInfo> registry;
  return registry;
}

QTextStream& out() {
  static QTextStream stream(stdout);
  return stream;
}

QTextStream& err() {
  static QTextStream stream(stderr);
  return stream;
}

QString takeOption(QStringList& args, const QString& name, const QString& fallback) {
  const qsizetype i = args.indexOf(name);
  if (i < 0 || i + 1 >= args.size()) return fallback;
  const QString value = args.at(i + 1);
  args.remove(i, 2);
  return value;
}

bool takeFlag(QStringList& args, const QString& name) { return args.removeAll(name) > 0; }

std::unique_ptr<Dictionary> takeDictionary(QStringList& args, const QString& option) {
  const QString path = takeOption(args, option);
  if (path.isEmpty()) return std::make_unique<Dictionary>(Dictionary::bundledPath());
  if (!QFileInfo(path).isFile()) {
    err() << path << ": no such dictionary\n";
    return nullptr;
  }
  return std::make_unique<Dictionary>(QFileInfo(path).absoluteFilePath());
}

namespace {
// What the core tells the user goes to standard error, beside the command's own output.
class StandardErrorAlerts : public AlertSink {
 public:
  void alert(const QString& message, const QString& informative) override {
    err() << message << (informative.isEmpty() ? QString() : QStringLiteral(" ") + informative) << "\n";
    err().flush();
  }
  int ask(const QString& message, const QString& informative, const QStringList&, int defaultButton) override {
    alert(message, informative);
    return defaultButton;
  }
};
}  // namespace

static int usage() {
  err() << "usage: quabe-cli COMMAND [ARGS]\n\ncommands:\n";
  for (const auto& [name, info] : commandRegistry()) err() << "  " << info.usage << "\n      " << info.summary << "\n";
  err().flush();
  return 2;
}

}  // namespace quabe::cli

int main(int argc, char** argv) {
  // Images are drawn off-screen; no display is needed.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // A widget application: `render` draws with the editor's canvas.
  QApplication app(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Quabe"));
  QApplication::setApplicationName(QStringLiteral("Quabe"));
  quabe::Resources::registerDefaults();
  quabe::cli::StandardErrorAlerts alertSink;
  quabe::setAlertSink(&alertSink);

  QStringList args = QApplication::arguments().mid(1);
  if (args.isEmpty()) return quabe::cli::usage();
  QString name = args.takeFirst();
  auto& registry = quabe::cli::commandRegistry();
  // Two-word commands such as "dict create".
  if (!args.isEmpty() && registry.count(name + QLatin1Char(' ') + args.first()))
    name += QLatin1Char(' ') + args.takeFirst();
  const auto it = registry.find(name);
  if (it == registry.end()) return quabe::cli::usage();
  const int rc = it->second.run(args);
  quabe::cli::out().flush();
  quabe::cli::err().flush();
  return rc;
}

#include <QFileInfo>

#include "cli/CliCommand.h"
#include "core/Resources.h"
#include "symbols/SymbolArchive.h"

namespace quabe::cli {

namespace {

// quabe-cli archive info [--archive PATH] [CODE...]
int archiveInfo(QStringList args) {
  const QString path = takeOption(args, QStringLiteral("--archive"), Resources::path(QStringLiteral("iswa2010bin")));
  if (path.isEmpty() || !QFileInfo(path).isFile()) {
    err() << "archive info: iswa2010bin not found" << (path.isEmpty() ? QString() : QStringLiteral(" at ") + path)
          << "\n";
    return 1;
  }
  SymbolArchive archive;
  const bool opened = archive.loadImageArchive(path);
  if (!opened) {
    err() << "archive info: cannot read " << path << "\n";
    return 1;
  }
  out() << path << "\t" << QFileInfo(path).size() << " bytes\t" << archive.entryCount() << " entries\n";
  // A damaged archive has been reported on standard error by the load.
  int rc = archive.isDamaged() ? 1 : 0;
  for (const QString& text : args) {
    const auto code =
        text.startsWith(QLatin1Char('S')) ? std::optional<SymbolCode>(SSS::fromFswKey(text)) : SSS::parse(text);
    if (!code || *code == 0) {
      err() << text << ": not a symbol code\n";
      rc = 1;
      continue;
    }
    const bool stored = archive.contains(*code);
    const auto image = archive.image(*code);
    out() << SSS::toString(*code) << "\t";
    if (!image) {
      out() << "absent\n";
      continue;
    }
    out() << (stored && archive.contains(*code) ? "stored" : "synthesised") << "\t" << image->width() << "x"
          << image->height() << "\n";
  }
  return rc;
}

}  // namespace

QUABE_CLI_COMMAND("archive info", "archive info [--archive PATH] [CODE...]",
                  "prints the symbol image archive's entry count and, for each code, whether its image is stored "
                  "or synthesised and its size (exit 1 when the archive is damaged)",
                  archiveInfo);

}  // namespace quabe::cli

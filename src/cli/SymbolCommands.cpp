#include "cli/CliCommand.h"
#include "symbols/SymbolCode.h"

namespace quabe::cli {

namespace {
int symbolInfo(const QStringList& args) {
  if (args.isEmpty()) {
    err() << "usage: quabe-cli symbol CODE\n";
    return 2;
  }
  int rc = 0;
  for (const QString& text : args) {
    const auto code =
        text.startsWith(QLatin1Char('S')) ? std::optional<SymbolCode>(SSS::fromFswKey(text)) : SSS::parse(text);
    if (!code || *code == 0) {
      err() << text << ": not a symbol code\n";
      rc = 1;
      continue;
    }
    out() << SSS::toString(*code) << "\t0x" << QString::number(*code, 16) << "\t" << SSS::toFswKey(*code)
          << "\trotations " << SSS::rotationCount(*code) << "\n";
  }
  return rc;
}
}  // namespace

QUABE_CLI_COMMAND("symbol", "symbol CODE...", "prints a symbol code in its text, hexadecimal and FSW forms",
                  symbolInfo);

}  // namespace quabe::cli

// Sign notation: the tokenizer consumes the whole line without losing or
// inventing anything but white space, the splitter is deterministic, and the
// conversion runs against the starter dictionary.
#include "FuzzSupport.h"
#include "dictionary/Dictionary.h"
#include "document/Sign.h"
#include "notation/SWGen.h"
#include "notation/TextSplitter.h"
#include "symbols/SymbolArchive.h"

using namespace quabe;

namespace {
QString withoutTrimmedSpace(const QString& text) {
  QString out;
  for (const QChar c : text)
    if (!Tokenizer::isTrimmedSpace(c)) out += c;
  return out;
}

void checkTokens(const QString& text) {
  Tokenizer tokenizer(text);
  QString tableCharacters;
  for (const TokenTypeAndValues& row : tokenizer.tokenTable())
    for (const QString& value : row.values) tableCharacters += value.front();
  QString joined;
  for (qsizetype count = 0;; ++count) {
    QUABE_FUZZ_CHECK(count <= text.size() + 1);  // every call consumes text
    const Token token = tokenizer.nextToken();
    if (token.type == TokenType::eoB) break;
    QUABE_FUZZ_CHECK(!token.value.isEmpty() && token.type != TokenType::none);
    QUABE_FUZZ_CHECK(QStringView(text).mid(token.at, token.value.size()) == token.value);
    // A word holds no punctuation; only the long-vowel mark may run on in it.
    if (token.type == TokenType::string)
      for (const QChar c : token.value) QUABE_FUZZ_CHECK(c == QChar(0x30FC) || !tableCharacters.contains(c));
    joined += token.value;
  }
  QUABE_FUZZ_CHECK(tokenizer.nextToken().type == TokenType::eoB);
  QUABE_FUZZ_CHECK(withoutTrimmedSpace(joined) == withoutTrimmedSpace(text));
}

void checkSplit(const QString& text) {
  Tokenizer first(text), second(text);
  TextSplitter splitterA(first), splitterB(second);
  const std::vector<JSign> a = splitterA.split(), b = splitterB.split();
  QUABE_FUZZ_CHECK(a.size() == b.size());
  qsizetype glossCharacters = 0;
  for (size_t i = 0; i < a.size(); ++i) {
    QUABE_FUZZ_CHECK(a[i].gloss == b[i].gloss && a[i].nmm == b[i].nmm && a[i].space == b[i].space);
    QUABE_FUZZ_CHECK(!a[i].gloss.isEmpty());
    QUABE_FUZZ_CHECK(!a[i].isComplement || a[i].isSimultaneous || a[i].isSemiSimultaneous);
    glossCharacters += a[i].gloss.size();
  }
  QUABE_FUZZ_CHECK(glossCharacters <= text.size());
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::initialize();
  SymbolArchive::shared().loadImageArchive();
  if (!Dictionary::isValidDictionary(Dictionary::bundledPath())) std::abort();  // the starter dictionary must be there
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 4096) return -1;  // a line of notation, not a book
  const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
  checkTokens(text);
  checkSplit(text);
  static const Dictionary dictionary(Dictionary::bundledPath());
  const NotationConversion conversion = SWGen(dictionary).convert(text);
  for (const SignPtr& sign : conversion.signs) QUABE_FUZZ_CHECK(sign && sign->jjs);
  for (const NotationDiagnostic& problem : conversion.diagnostics)
    QUABE_FUZZ_CHECK(problem.at >= 0 && problem.length >= 0 && problem.at + problem.length <= text.size());
  return 0;
}

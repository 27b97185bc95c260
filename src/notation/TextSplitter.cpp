#include "notation/TextSplitter.h"

#include "core/Logging.h"

namespace quabe {

// The grammar nests (groups inside groups, a joined sign followed by its
// partner item), and a line may nest thousands of levels deep. Instead of
// recursing, the splitter keeps its own stack of levels:
//  - a group level repeats items until one says stop (a "}" or an item that
//    cannot start), then counts as one finished item of its parent;
//  - a partner level parses exactly one item (the partner of a joined sign)
//    and then counts as one finished item of its parent, whatever that item
//    said.
// The bottom level is the whole text; when it stops, the split is over.
struct TextSplitter::Level {
  enum class Kind { group, partner };
  Kind kind;
  QString nmm;  // marker text given to the items of this level
  JSign prev;   // the item a new item may be joined to
};

TextSplitter::TextSplitter(Tokenizer& tokenizer) : m_tokenizer(tokenizer) {}

void TextSplitter::next() {
  m_previous = std::move(m_token);
  m_token = m_tokenizer.nextToken();
}

void TextSplitter::report(const QString& message) {
  // At the end of the line nothing follows to mark: the last word read is
  // what stays unfinished.
  const Token& where = m_token.type == TokenType::eoB && m_previous.type != TokenType::none ? m_previous : m_token;
  // A token that ends nested groups is met by every level; once is enough.
  if (!m_diagnostics.empty() && m_diagnostics.back().message == message && m_diagnostics.back().at == where.at) return;
  m_diagnostics.push_back(
      NotationDiagnostic{NotationDiagnostic::Kind::unreadable, message, where.at, where.value.size()});
  qCDebug(lcNotation).noquote() << m_diagnostics.back().text();
}

std::vector<JSign> TextSplitter::split() {
  next();
  if (m_token.type == TokenType::eoB) return m_jSigns;

  std::vector<Level> levels;
  levels.push_back(Level{Level::Kind::group, m_nmm, JSign{}});
  while (!levels.empty()) {
    const Step step = parseItem(levels);
    if (step == Step::enteredLevel) continue;
    bool itemResult = step == Step::continueLevel;
    // Hand the item's result to the levels it finishes.
    while (!levels.empty()) {
      Level& level = levels.back();
      if (level.kind == Level::Kind::group && itemResult) break;
      levels.pop_back();
      itemResult = true;  // a finished group or partner counts as one item read
    }
  }
  return m_jSigns;
}

void TextSplitter::appendJSign(const JSign& item, JSign& prev) {
  if (!prev.gloss.isEmpty()) {
    prev.isComplement = true;
    m_jSigns.push_back(prev);
  }
  m_jSigns.push_back(item);
}

// A sign followed by "|" or "/" is kept only together with its partner;
// without one it would be lost without a word.
void TextSplitter::reportLonelyJoiner() { report(QStringLiteral("Sign missing after '%1'").arg(m_previous.value)); }

TextSplitter::Step TextSplitter::parseItem(std::vector<Level>& levels) {
  const QString nmm = levels.back().nmm;
  switch (m_token.type) {
    case TokenType::lBrace: {
      next();
      QString markers = parseMarkers(nmm);
      levels.push_back(Level{Level::Kind::group, std::move(markers), JSign{}});
      return Step::enteredLevel;
    }
    case TokenType::rBrace:
      if (levels.back().kind == Level::Kind::partner) reportLonelyJoiner();
      // Outside any group a "}" ends the whole line: the rest is not read.
      if (levels.size() == 1) report(QStringLiteral("Invalid token: ") + m_token.value);
      m_nmm.clear();
      next();
      return Step::stopLevel;
    case TokenType::semicolon:
    case TokenType::comma:
    case TokenType::period:
    case TokenType::question:
    case TokenType::excl: {
      JSign item;
      item.gloss = m_token.value;
      item.at = m_token.at;
      item.length = m_token.value.size();
      appendJSign(item, levels.back().prev);
      next();
      return Step::continueLevel;
    }
    case TokenType::tilde:
    case TokenType::hyphen:
    case TokenType::vertBar:
    case TokenType::slash:
      next();
      return Step::continueLevel;
    case TokenType::string: {
      JSign item;
      item.gloss = m_token.value;
      item.nmm = nmm;
      item.at = m_token.at;
      item.length = m_token.value.size();
      next();
      parseSign(item);
      if (m_token.type == TokenType::slash || m_token.type == TokenType::vertBar) {
        if (m_token.type == TokenType::slash) {
          item.isSemiSimultaneous = true;
        } else {
          item.isSimultaneous = true;
        }
        next();
        // The item is registered later, as the prev of its partner.
        levels.push_back(Level{Level::Kind::partner, nmm, std::move(item)});
        return Step::enteredLevel;
      }
      appendJSign(item, levels.back().prev);
      return Step::continueLevel;
    }
    case TokenType::eoB:
      if (levels.back().kind == Level::Kind::partner) reportLonelyJoiner();
      return Step::stopLevel;
    default:
      report(QStringLiteral("Invalid token: ") + m_token.value);
      return Step::stopLevel;
  }
}

QString TextSplitter::parseMarkers(const QString& outer) {
  QString markers = outer;
  if (m_token.type != TokenType::lAngle) return markers;
  next();
  for (;;) {
    if (m_token.type == TokenType::string) {
      markers += m_token.value;
      next();
      if (m_token.type == TokenType::lParen) {
        markers += m_token.value;
        next();
        if (m_token.type == TokenType::string) {
          markers += m_token.value;
          next();
        }
        if (m_token.type == TokenType::rParen) {
          markers += m_token.value;
          next();
        } else {
          report(QStringLiteral("')' missing"));
        }
      }
    }
    if (m_token.type == TokenType::comma) {
      markers += QLatin1Char(',');
      next();
      continue;
    }
    if (m_token.type == TokenType::rAngle) {
      next();
    } else {
      report(QStringLiteral("'>' missing"));
    }
    return markers;
  }
}

void TextSplitter::parseSign(JSign& item) {
  if (m_token.type == TokenType::lBracket) {
    next();
    if (m_token.type == TokenType::string) {
      item.handshape = m_token.value;
      next();
      if (m_token.type == TokenType::comma) {
        next();
        if (m_token.type == TokenType::string) {
          item.dHandshape = m_token.value;
          next();
        }
      }
    } else {
      report(QStringLiteral("Handshape missing"));
    }
    if (m_token.type == TokenType::rBracket) {
      next();
    } else {
      report(QStringLiteral("']' missing"));
    }
  }

  if (m_token.type == TokenType::lParen) {
    next();
    if (m_token.type == TokenType::string) {
      item.space = m_token.value;
      next();
    }
    if (m_token.type == TokenType::arrow || m_token.type == TokenType::hyphen) {
      item.space += QChar(0x2192);
      next();
    }
    if (m_token.type == TokenType::string) {
      item.space += m_token.value;
      next();
    }
    if (m_token.type == TokenType::semicolon) {
      next();
      if (m_token.type == TokenType::string) {
        item.mod = m_token.value;
        next();
      }
    }
    if (m_token.type == TokenType::rParen) {
      next();
    } else {
      report(QStringLiteral("')' missing"));
    }
  }
}

}  // namespace quabe

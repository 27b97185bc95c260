#include "dictionary/ui/CompoundWindow.h"

#include <QDate>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

#include "core/Alerts.h"
#include "core/Localization.h"
#include "core/Logging.h"
#include "dictionary/Dictionary.h"
#include "document/Compound.h"
#include "editor/ToolWindowKeys.h"

namespace quabe {

namespace {

QString userName() {
  for (const char* variable : {"USER", "USERNAME", "LOGNAME"}) {
    const QString name = qEnvironmentVariable(variable);
    if (!name.isEmpty()) return name;
  }
  return QDir::home().dirName();
}

}  // namespace

CompoundWindow::CompoundWindow(Dictionary& dictionary, QWidget* parent)
    : QWidget(parent, Qt::Window), m_dictionary(dictionary) {
  closeOnEscape(this);
  setWindowTitle(loc("CompoundTitle"));
  auto* layout = new QVBoxLayout(this);
  auto* images = new QHBoxLayout;
  images->setSpacing(SignBoxSep);
  for (int i = 0; i < 3; ++i) {
    auto* view = new QLabel(this);
    view->setFixedSize(SignBoxWidth, SignBoxHeight);
    view->setAlignment(Qt::AlignCenter);
    view->setStyleSheet(QStringLiteral("background: white; border: 1px solid lightgray;"));
    images->addWidget(view);
    m_imageViews.append(view);
  }
  images->addStretch();
  layout->addLayout(images);

  auto* form = new QFormLayout;
  m_glossTextField = new QLineEdit(this);
  m_yomiTextField = new QLineEdit(this);
  m_tagTextField = new QLineEdit(this);
  m_meaningsTextView = new QPlainTextEdit(this);
  m_meaningsTextView->setTabChangesFocus(true);
  m_meaningsTextView->setFixedHeight(70);
  m_commentTextView = new QPlainTextEdit(this);
  m_commentTextView->setTabChangesFocus(true);
  m_commentTextView->setFixedHeight(60);
  form->addRow(loc("DictGloss"), m_glossTextField);
  form->addRow(loc("DictYomi"), m_yomiTextField);
  form->addRow(loc("DictTag"), m_tagTextField);
  form->addRow(loc("DictMeanings"), m_meaningsTextView);
  form->addRow(loc("DictComment"), m_commentTextView);
  layout->addLayout(form);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  m_cancelButton = new QPushButton(loc("Cancel"), this);
  m_okButton = new QPushButton(loc("OK"), this);
  m_okButton->setDefault(true);
  buttons->addWidget(m_cancelButton);
  buttons->addWidget(m_okButton);
  layout->addLayout(buttons);
  connect(m_okButton, &QPushButton::clicked, this, [this] { okButtonClicked(); });
  connect(m_cancelButton, &QPushButton::clicked, this, [this] { cancelButtonClicked(); });
}

CompoundWindow::~CompoundWindow() = default;

void CompoundWindow::setCompound(const std::shared_ptr<Compound>& compound) {
  m_targetCompound = compound;
  fill();
}

void CompoundWindow::fill() {
  if (!m_targetCompound) return;
  const DbSign& entry = *m_targetCompound->jjs;
  m_glossTextField->setText(entry.gloss);
  m_yomiTextField->setText(entry.yomi);
  m_tagTextField->setText(entry.tag);
  m_commentTextView->setPlainText(entry.comment);
  m_meaningsTextView->setPlainText(entry.signID > 0 ? m_dictionary.getMeanings(entry.signID).join(QLatin1Char('\n'))
                                                    : QString());
  if (entry.comment.isEmpty()) {
    m_commentTextView->setPlainText(
        QStringLiteral("%1 (%2)").arg(userName(), QLocale().toString(QDate::currentDate(), QLocale::ShortFormat)));
  }
  const QList<qint64> ids = m_targetCompound->constituentIDs.value_or(QList<qint64>());
  for (int i = 0; i < m_imageViews.size(); ++i) {
    QLabel* view = m_imageViews.at(i);
    view->clear();
    if (i >= ids.size()) continue;
    const QImage image = m_dictionary.signImage(QSize(SignBoxWidth, SignBoxHeight), ids.at(i));
    if (image.isNull()) continue;
    view->setPixmap(
        QPixmap::fromImage(image.scaled(view->size() - QSize(2, 2), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
  }
}

QStringList CompoundWindow::meaningsFromText(const QString& text, const QString& gloss) {
  static const QRegularExpression separators(
      QStringLiteral("[\\n\\t \\x{3000}\\x{FF0C}\\x{3001}\\x{FF0E}\\x{3002}\\x{FF1B};]"));
  QStringList meanings = text.split(separators, Qt::SkipEmptyParts);
  if (meanings.isEmpty() && !gloss.isEmpty()) meanings.append(gloss);
  return meanings;
}

bool CompoundWindow::askYesNo(const QString& message) {
  return alerts().ask(message, QString(), {loc("Yes"), loc("No")}, 0) == 0;
}

bool CompoundWindow::okButtonClicked() {
  if (!m_targetCompound) return false;
  const QString gloss = m_glossTextField->text();
  if (gloss.isEmpty()) {
    alerts().alert(loc("SpecifyGloss"), QString());
    return false;
  }
  DbSign& entry = *m_targetCompound->jjs;
  // The look-up uses the texts as they stand in the fields.
  DbSign key = entry;
  key.gloss = gloss;
  key.tag = m_tagTextField->text();
  key.yomi = m_yomiTextField->text();
  QList<qint64> matches;
  for (const DbSign& found : m_dictionary.searchSigns(key)) matches.append(found.signID);
  const QList<qint64> compounds = m_dictionary.getCompoundIDs(matches);

  if (entry.signID > 0 && compounds.contains(entry.signID)) {
    if (!askYesNo(loc("MakeSureUpdate"))) return false;
    return store(true);
  }
  if (compounds.isEmpty()) {
    if (!askYesNo(loc("MakeSureAdd"))) return false;
    // Not a stored compound: added under the next free id (a plain entry
    // of the same id is never overwritten by a compound).
    entry.signID = -1;
    return store(false);
  }
  if (entry.signID == 0) {
    alerts().alert(loc("CompoundNameInUse"), QString());
    return false;
  }
  if (!askYesNo(loc("CompoundAlreadyExists"))) return false;
  const std::optional<DbSign> existing = m_dictionary.getSign(compounds.first());
  if (!existing) {
    qCWarning(lcDictionary) << "compound" << compounds.first() << "vanished from the dictionary";
    return false;
  }
  entry.signID = existing->signID;
  entry.creationTime = existing->creationTime;
  entry.modificationTime = existing->modificationTime;
  return store(true);
}

bool CompoundWindow::store(bool update) {
  DbSign& entry = *m_targetCompound->jjs;
  const DbSign before = entry;
  entry.gloss = m_glossTextField->text();
  entry.yomi = m_yomiTextField->text();
  entry.tag = m_tagTextField->text();
  entry.comment = m_commentTextView->toPlainText();
  entry.meanings = meaningsFromText(m_meaningsTextView->toPlainText(), entry.gloss);
  const QList<qint64> ids = m_targetCompound->constituentIDs.value_or(QList<qint64>());
  const bool stored =
      update ? m_dictionary.updateCompound(entry, ids, false) : m_dictionary.insertCompound(entry, ids, false);
  if (!stored) {
    // The window stays open with its fields; the record is as it was.
    entry = before;
    alerts().alert(loc("FailedToUpdateDictionary"), QString());
    return false;
  }
  close();
  return true;
}

void CompoundWindow::cancelButtonClicked() { close(); }

}  // namespace quabe

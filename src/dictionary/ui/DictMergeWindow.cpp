#include "dictionary/ui/DictMergeWindow.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/Alerts.h"
#include "core/Localization.h"
#include "dictionary/Dictionary.h"
#include "dictionary/ui/DictSignView.h"

namespace quabe {

MergeComparisonPanel::MergeComparisonPanel(QWidget* parent) : QDialog(parent), m_prompt(new QLabel(this)) {
  setWindowTitle(loc("MenuMergeDictionary").remove(QChar(0x2026)));
  auto* grid = new QGridLayout;
  for (int side : {0, 1}) {
    m_signViews[side] = new DictSignView(this);
    m_signViews[side]->setMinimumSize(180, 180);
    m_signViews[side]->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_descriptions[side] = new QPlainTextEdit(this);
    m_descriptions[side]->setReadOnly(true);
    grid->addWidget(m_signViews[side], 0, side);
    grid->addWidget(m_descriptions[side], 1, side);
  }
  auto* buttons = new QHBoxLayout;
  const char* const keys[] = {"MergeAdd", "MergeAddAll", "MergeReplace", "MergeSkip", "MergeAbort"};
  for (int i = 0; i < 5; ++i) {
    m_buttons[i] = new QPushButton(loc(keys[i]), this);
    // The answers end the modal run with codes 1 to 5.
    connect(m_buttons[i], &QPushButton::clicked, this, [this, i] { done(i + 1); });
    buttons->addWidget(m_buttons[i]);
  }
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_prompt);
  layout->addLayout(grid);
  layout->addLayout(buttons);
}

QString MergeComparisonPanel::prompt() const { return m_prompt->text(); }

MergeResponse MergeComparisonPanel::ask(const MergeVersion& external, const MergeVersion* current) {
  m_prompt->setText(loc(current ? "MergeUpdatingSign" : "MergeAddingSign"));
  const auto fill = [this](int side, const MergeVersion* version) {
    m_signViews[side]->setSign(
        version ? std::make_shared<Sign>(std::make_shared<DbSign>(version->entry), version->spelling) : nullptr);
    m_descriptions[side]->setPlainText(version ? DictionaryMerge::description(version->entry) : QString());
  };
  fill(0, current);
  fill(1, &external);
  m_buttons[int(MergeResponse::replace)]->setEnabled(current != nullptr);
  const int code = exec();
  return code >= 1 && code <= 5 ? MergeResponse(code - 1) : MergeResponse::abort;
}

DictMergeWindow::DictMergeWindow(Dictionary& dictionary, QWidget* parent)
    : QDialog(parent),
      m_dictionary(dictionary),
      m_path(new QLineEdit(this)),
      m_progress(new QProgressBar(this)),
      m_mergeButton(new QPushButton(loc("MergeStart"), this)),
      m_panel(new MergeComparisonPanel(this)) {
  setWindowTitle(loc("MenuMergeDictionary").remove(QChar(0x2026)));
  if (parent) setWindowModality(Qt::WindowModal);
  auto* browse = new QPushButton(loc("MergeBrowse"), this);
  connect(browse, &QPushButton::clicked, this, &DictMergeWindow::browse);
  auto* cancelButton = new QPushButton(loc("Cancel"), this);
  connect(cancelButton, &QPushButton::clicked, this, &DictMergeWindow::cancel);
  connect(m_mergeButton, &QPushButton::clicked, this, [this] { merge(); });
  m_mergeButton->setDefault(true);
  m_progress->setRange(0, 1);
  m_progress->setValue(0);

  auto* pathRow = new QHBoxLayout;
  pathRow->addWidget(m_path, 1);
  pathRow->addWidget(browse);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cancelButton);
  buttons->addWidget(m_mergeButton);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(loc("MergeExternalDictionary"), this));
  layout->addLayout(pathRow);
  layout->addWidget(m_progress);
  layout->addLayout(buttons);
  resize(520, sizeHint().height());
}

void DictMergeWindow::browse() {
  const QString path = QFileDialog::getOpenFileName(this, loc("MergeExternalDictionary"), m_path->text(),
                                                    QStringLiteral("SQLite (*.db *.sqlite);;* (*)"));
  if (!path.isEmpty()) m_path->setText(path);
}

void DictMergeWindow::cancel() {
  if (m_running)
    m_cancelled = true;
  else
    reject();
}

std::optional<MergeReport> DictMergeWindow::merge() {
  if (m_running) return std::nullopt;
  const QString path = m_path->text().trimmed();
  if (!Dictionary::isValidDictionary(path)) return std::nullopt;
  DictionaryMerge merge(m_dictionary.path());
  QString error;
  if (!merge.open(path, &error)) {
    alerts().alert(loc("MergeCopyFailed"), error);
    return std::nullopt;
  }
  m_running = true;
  m_cancelled = false;
  m_mergeButton->setEnabled(false);
  m_progress->setRange(0, qMax(1, merge.entryCount()));
  // The window stays live: events are handled between entries, at most
  // every 50 ms, so that Cancel is heard while whole stretches are added.
  QElapsedTimer sinceEvents;
  sinceEvents.start();
  const MergeReport report = merge.run(
      [this](const MergeVersion& external, const MergeVersion* current) { return m_panel->ask(external, current); },
      [&](int done, int) {
        m_progress->setValue(done);
        if (sinceEvents.elapsed() >= 50) {
          QApplication::processEvents();
          sinceEvents.restart();
        }
        return !m_cancelled;
      });
  m_running = false;
  m_mergeButton->setEnabled(true);
  if (report.added + report.replaced > 0) m_dictionary.announceExternalChange();
  QString counts = loc("MergeCounts")
                       .arg(report.identical)
                       .arg(report.added)
                       .arg(report.replaced)
                       .arg(report.skipped)
                       .arg(report.failed);
  if (!report.failures.isEmpty()) counts += QLatin1Char('\n') + report.failures.mid(0, 10).join(QLatin1Char('\n'));
  alerts().alert(loc(report.aborted ? "MergeWasAborted" : "MergeWasFinished"), counts);
  accept();
  return report;
}

}  // namespace quabe

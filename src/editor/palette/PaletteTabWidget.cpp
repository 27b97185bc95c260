#include "editor/palette/PaletteTabWidget.h"

#include <QScrollArea>

#include "core/Localization.h"
#include "editor/palette/PaletteToolTips.h"
#include "editor/palette/PaletteView.h"

namespace quabe {

namespace {
QScrollArea* scrolling(QWidget* view) {
  auto* area = new QScrollArea;
  area->setWidget(view);
  area->setWidgetResizable(false);
  area->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  area->setFrameShape(QFrame::NoFrame);
  area->setBackgroundRole(QPalette::Base);
  return area;
}
}  // namespace

PaletteTabWidget::PaletteTabWidget(QWidget* parent) : QTabWidget(parent) {
  m_main = new PaletteView;
  m_main->setIsMain(true);
  m_sub = new PaletteView;
  m_main->setSubPaletteView(m_sub);
  m_main->setTabView(this);
  m_sub->setTabView(this);
  addTab(scrolling(m_main), loc("PaletteMainTab"));
  addTab(scrolling(m_sub), loc("PaletteSubTab"));
  updateSubTab(m_sub->currentPaletteNumber());

  connect(m_main, &PaletteView::familyChosen, this, [this](int family) {
    updateSubTab(family);
    Q_EMIT familyChosen(family);
  });
  connect(m_sub, &PaletteView::symbolChosen, this, &PaletteTabWidget::symbolChosen);
  connect(m_main, &PaletteView::dragStarted, this, &PaletteTabWidget::symbolDragged);
  connect(m_sub, &PaletteView::dragStarted, this, &PaletteTabWidget::symbolDragged);
}

void PaletteTabWidget::showFamily(int family) {
  m_sub->showSubPalette(family);
  updateSubTab(m_sub->currentPaletteNumber());
  setCurrentIndex(1);
}

void PaletteTabWidget::updateSubTab(int family) { setTabToolTip(1, PaletteToolTips::text(-1, family)); }

}  // namespace quabe

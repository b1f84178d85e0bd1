#include "ui/fGraphicsPage.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "entity/VEXFolders.h"
#include "project/cAnalysisRun.h"
#include "project/cProject.h"
#include "report/qt/cResultsChart.h"
#include "ui/cMessages.h"
#include "ui/cUiUtility.h"

namespace {

// Exported charts are drawn for this size, whatever the page's.
const QSize kImageSize(1600, 800);
const char* const kBeamKinds[] = {"primary", "secondary1", "secondary2"};

}  // namespace

// ---------------------------------------------------------------------------
// The chart

TChartView::TChartView(QWidget* Parent) : QWidget(Parent) {
  setObjectName(QStringLiteral("imgChart"));
  setAccessibleName(QStringLiteral("Chart"));
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TChartView::Show(const TBeam* Beam, TDrawingType Type, const QString& Placeholder) {
  beam_ = Beam;
  type_ = Type;
  placeholder_ = Placeholder;
  setAccessibleDescription(Beam ? ToQ(DrawingTypeCaption(Type)) : Placeholder);
  update();
}

void TChartView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.fillRect(rect(), Qt::white);
  if (beam_) {
    PaintChart(painter, *beam_, type_, rect());
    return;
  }
  painter.setPen(palette().color(QPalette::Disabled, QPalette::WindowText));
  painter.drawText(rect().adjusted(12, 12, -12, -12), Qt::AlignCenter | Qt::TextWordWrap, placeholder_);
}

// ---------------------------------------------------------------------------
// The page

TGraphicsPage::TGraphicsPage(QWidget* Parent) : QWidget(Parent) {
  setObjectName(QStringLiteral("pnlGraphics"));
  setAccessibleName(QStringLiteral("Graphics"));

  cboBeam_ = new QComboBox;
  cboBeam_->setObjectName(QStringLiteral("cboChartBeam"));
  cboBeam_->setAccessibleName(QStringLiteral("Beam to draw"));
  cboBeam_->setStatusTip(QStringLiteral("Select beam to display"));
  auto* beam_label = new QLabel(QStringLiteral("&Beam:"));
  beam_label->setBuddy(cboBeam_);

  cboChart_ = new QComboBox;
  cboChart_->setObjectName(QStringLiteral("cboChart"));
  cboChart_->setAccessibleName(QStringLiteral("Select graphic to display"));
  cboChart_->setStatusTip(QStringLiteral("Select graphic to display"));
  for (int t = 0; t < kDrawingTypeCount; ++t) cboChart_->addItem(ToQ(DrawingTypeCaption(TDrawingType(t))));
  cboChart_->setCurrentIndex(0);
  auto* chart_label = new QLabel(QStringLiteral("&Graphic:"));
  chart_label->setBuddy(cboChart_);

  btnPrint_ = new QPushButton(QStringLiteral("Pri&nt Chart..."));
  btnPrint_->setObjectName(QStringLiteral("btnPrintChart"));
  btnPrint_->setStatusTip(QStringLiteral("Prints the chart shown on one page"));
  btnSaveImage_ = new QPushButton(QStringLiteral("Save I&mage..."));
  btnSaveImage_->setObjectName(QStringLiteral("btnSaveChart"));
  btnSaveImage_->setStatusTip(QStringLiteral("Saves the chart shown as a PNG image or an SVG drawing"));

  Chart_ = new TChartView;

  auto* left = new QGridLayout;
  left->addWidget(beam_label, 0, 0);
  left->addWidget(cboBeam_, 0, 1);
  left->addWidget(chart_label, 1, 0);
  left->addWidget(cboChart_, 1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(btnPrint_);
  buttons->addWidget(btnSaveImage_);
  left->addLayout(buttons, 2, 0, 1, 2);
  left->setRowStretch(3, 1);

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addLayout(left);
  layout->addWidget(Chart_, 1);

  connect(cboBeam_, &QComboBox::currentIndexChanged, this, &TGraphicsPage::ShowChart);
  connect(cboChart_, &QComboBox::currentIndexChanged, this, &TGraphicsPage::ShowChart);
  connect(btnPrint_, &QPushButton::clicked, this, &TGraphicsPage::PrintChart);
  connect(btnSaveImage_, &QPushButton::clicked, this, &TGraphicsPage::SaveImage);
  ClearResults(QString());
}

void TGraphicsPage::SetResults(TProject& Project, const QString& FileName) {
  project_ = &Project;
  file_name_ = FileName;
  reason_.clear();
  const int keep = BeamSide();
  {
    const QSignalBlocker block(cboBeam_);
    cboBeam_->clear();
    for (int side : {1, 2, 0})
      if (Project.GetHasBeam(side)) cboBeam_->addItem(ToQ(DefaultBeamCaption(Project, side)), side);
    const int index = cboBeam_->findData(keep);
    cboBeam_->setCurrentIndex(index >= 0 ? index : 0);
  }
  ShowChart();
}

void TGraphicsPage::ClearResults(const QString& Reason) {
  project_ = nullptr;
  reason_ = Reason.isEmpty() ? QStringLiteral("No results yet.\nChoose Analyse or Design to see the charts of each beam.")
                             : Reason;
  ShowChart();
}

int TGraphicsPage::BeamSide() const { return cboBeam_->currentIndex() < 0 ? -1 : cboBeam_->currentData().toInt(); }

void TGraphicsPage::SelectBeam(int Side) {
  const int index = cboBeam_->findData(Side);
  if (index >= 0) cboBeam_->setCurrentIndex(index);
}

TDrawingType TGraphicsPage::ChartType() const { return TDrawingType(std::max(0, cboChart_->currentIndex())); }

void TGraphicsPage::SelectChart(TDrawingType Type) { cboChart_->setCurrentIndex(int(Type)); }

void TGraphicsPage::ShowChart() {
  const int side = BeamSide();
  const TBeam* beam = project_ && side >= 0 ? project_->GetBeam(side) : nullptr;
  Chart_->Show(beam, ChartType(), reason_);
  UpdateCommands();
}

void TGraphicsPage::UpdateCommands() {
  const bool drawn = Chart_->Beam() != nullptr;
  cboBeam_->setEnabled(drawn);
  btnPrint_->setEnabled(drawn);
  btnSaveImage_->setEnabled(drawn);
}

bool TGraphicsPage::SaveImageTo(const QString& File) {
  if (!Chart_->Beam()) return false;
  if (const TResult checked = CheckWindowOutput(File, file_name_); !checked) {
    ShowMessage(this, TMessageKind::Error, ToQ(checked.Message()));
    return false;
  }
  const TResult saved = SaveChart(*Chart_->Beam(), Chart_->Type(), kImageSize, ToStd(File));
  if (!saved) {
    ShowMessage(this, TMessageKind::Error, ToQ(saved.Message()));
    return false;
  }
  emit LogLine(QStringLiteral("Saving chart to ") + File);
  return true;
}

void TGraphicsPage::SaveImage() {
  if (!Chart_->Beam() || !project_) return;
  // "<project>-<beam>-<chart>.png" beside the project, or in the work folder for an untitled one.
  const QString base = file_name_.isEmpty() ? WorkFolder() + QStringLiteral("Untitled") : file_name_;
  const QString suffix = QStringLiteral("-") + QString::fromLatin1(kBeamKinds[BeamSide()]) + QStringLiteral("-") +
                         ToQ(DrawingTypeKind(Chart_->Type()));
  const QString proposed = ToQ(DeriveFileName(ToStd(base), ToStd(suffix), ".png"));
  const QString file = AskSaveFileName(this, QStringLiteral("Save Image"), proposed,
                                       QStringLiteral("PNG image (*.png);;SVG drawing (*.svg)"), QStringLiteral("png"));
  if (!file.isEmpty()) SaveImageTo(file);
}

TChartTitleBlock TGraphicsPage::TitleBlock() const {
  if (!Chart_->Beam() || !project_) return {};
  return ChartTitleBlock(*Chart_->Beam(), Chart_->Type(), project_->Project, ToStd(file_name_), std::time(nullptr));
}

void TGraphicsPage::PrintChart() {
  if (!Chart_->Beam()) return;
  const TPrintOutcome printed = ::PrintChart(*Chart_->Beam(), Chart_->Type(), TitleBlock(), this);
  if (printed.Result.IsCancelled()) return;
  if (!printed.Result) {
    ShowMessage(this, TMessageKind::Error, ToQ(printed.Result.Message()));
    return;
  }
  emit LogLine(QStringLiteral("Printing chart: ") + ToQ(DrawingTypeCaption(Chart_->Type())));
}

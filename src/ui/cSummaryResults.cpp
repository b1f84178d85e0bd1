#include "ui/cSummaryResults.h"

#include <QGridLayout>
#include <QLabel>
#include <QToolButton>

#include "ui/cIcons.h"
#include "ui/cRunWorker.h"
#include "ui/cUiUtility.h"

namespace {

const char* const kHeadings[] = {"Beam", "Grade", "Steel section", "Strength", "Stress", "Deflection", "Camber",
                                 "Shear connectors"};
const char* const kBeamWords[] = {"primary beam", "side-1 secondary beam", "side-2 secondary beam"};

// What a screen reader hears of a cell: what it is, and what it shows.
QString Heard(const QString& What, const QString& Value) {
  return Value.isEmpty() ? What : What + QStringLiteral(": ") + Value;
}

// A cell's text with its accessible name following it.
void ShowCell(QLabel* Cell, const QString& Text) {
  Cell->setText(Text);
  Cell->setAccessibleName(Heard(Cell->property("what").toString(), Text));
}

}  // namespace

TSummaryResultsPage::TSummaryResultsPage(QWidget* Parent) : QWidget(Parent) {
  setObjectName(QStringLiteral("pnlSummaryResults"));
  setAccessibleName(QStringLiteral("Summary Results"));
  setStatusTip(QStringLiteral("Summary of analysis results"));
  grid_ = new QGridLayout(this);
  grid_->setHorizontalSpacing(14);
  grid_->setVerticalSpacing(4);
  for (int c = 0; c < colCount; ++c) {
    auto* heading = new QLabel(QString::fromLatin1(kHeadings[c]));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    grid_->addWidget(heading, 0, c, c >= colStrength ? Qt::AlignRight : Qt::AlignLeft);
  }
  auto* ok_heading = new QLabel(QStringLiteral("OK?"));
  QFont bold = ok_heading->font();
  bold.setBold(true);
  ok_heading->setFont(bold);
  grid_->addWidget(ok_heading, 0, colCount);

  // Lines in display order: side 1, side 2, primary.
  int row = 1;
  for (int side : {1, 2, 0}) {
    TLine& line = LineOf(side);
    const QString beam_words = QString::fromLatin1(kBeamWords[side]);
    for (int c = 0; c < colCount; ++c) {
      QLabel* cell = new QLabel;
      line.Cells[static_cast<size_t>(c)] = cell;
      cell->setProperty("what", QString::fromLatin1(kHeadings[c]) + QStringLiteral(" of ") + beam_words);
      cell->setAccessibleName(cell->property("what").toString());
      if (c == colSection) continue;
      grid_->addWidget(line.Cells[static_cast<size_t>(c)], row, c, c >= colStrength ? Qt::AlignRight : Qt::AlignLeft);
    }
    // The section's name with its up and down buttons beside it.
    auto* section = new QWidget;
    auto* section_layout = new QHBoxLayout(section);
    section_layout->setContentsMargins(0, 0, 0, 0);
    section_layout->setSpacing(2);
    section_layout->addWidget(line.Cells[colSection]);
    auto make_step = [&](Qt::ArrowType Arrow, int Step, const QString& Words) {
      auto* button = new QToolButton;
      button->setArrowType(Arrow);
      button->setAutoRaise(true);
      button->setFixedSize(18, 16);
      button->setFocusPolicy(Qt::TabFocus);
      // Hidden buttons keep their place, so the columns do not jump when results arrive.
      QSizePolicy keep = button->sizePolicy();
      keep.setRetainSizeWhenHidden(true);
      button->setSizePolicy(keep);
      button->setObjectName(QStringLiteral("btnSection%1Side%2").arg(Step > 0 ? QStringLiteral("Up") : QStringLiteral("Down")).arg(side));
      button->setAccessibleName(Words + QStringLiteral(" section for ") + beam_words);
      const QString hint = QStringLiteral("Analyses the ") + beam_words + QStringLiteral(" again with the next ") +
                           Words.toLower() + QStringLiteral(" library section of the same type and grade");
      button->setToolTip(hint);
      button->setStatusTip(hint);
      connect(button, &QToolButton::clicked, this, [this, side, Step] { emit SectionStepRequested(side, Step); });
      section_layout->addWidget(button);
      return button;
    };
    line.Up = make_step(Qt::UpArrow, +1, QStringLiteral("Heavier"));
    line.Down = make_step(Qt::DownArrow, -1, QStringLiteral("Lighter"));
    section_layout->addStretch(1);
    grid_->addWidget(section, row, colSection);
    auto* status = new QWidget;
    auto* status_layout = new QHBoxLayout(status);
    status_layout->setContentsMargins(0, 0, 0, 0);
    line.Tick = new QLabel;
    line.Tick->setPixmap(BundledIcon("tick").pixmap(16, 16));
    line.Tick->setAccessibleName(QStringLiteral("OK"));
    line.Cross = new QLabel;
    line.Cross->setPixmap(BundledIcon("cross").pixmap(16, 16));
    line.Cross->setAccessibleName(QStringLiteral("Not OK"));
    line.Error = new QLabel;
    line.Error->setProperty("what", QStringLiteral("Error of ") + QString::fromLatin1(kBeamWords[side]));
    line.Error->setAccessibleName(line.Error->property("what").toString());
    line.Error->setStyleSheet(QStringLiteral("color: #b52b27"));
    status_layout->addWidget(line.Tick);
    status_layout->addWidget(line.Cross);
    status_layout->addWidget(line.Error, 1);
    grid_->addWidget(status, row, colCount);
    ++row;
  }
  // The floor vibration line: a check of the floor, not of a beam.
  vibration_.Name = new QLabel(QStringLiteral("Floor vibration"));
  vibration_.Name->setObjectName(QStringLiteral("lblVibrationName"));
  grid_->addWidget(vibration_.Name, row, colBeam);
  vibration_.Text = new QLabel;
  vibration_.Text->setObjectName(QStringLiteral("lblVibrationResult"));
  vibration_.Text->setAccessibleName(QStringLiteral("Floor vibration"));
  grid_->addWidget(vibration_.Text, row, colGrade, 1, colCount - colGrade);
  auto* status = new QWidget;
  auto* status_layout = new QHBoxLayout(status);
  status_layout->setContentsMargins(0, 0, 0, 0);
  vibration_.Tick = new QLabel;
  vibration_.Tick->setPixmap(BundledIcon("tick").pixmap(16, 16));
  vibration_.Tick->setAccessibleName(QStringLiteral("OK"));
  vibration_.Cross = new QLabel;
  vibration_.Cross->setPixmap(BundledIcon("cross").pixmap(16, 16));
  vibration_.Cross->setAccessibleName(QStringLiteral("Not OK"));
  vibration_.Error = new QLabel;
  vibration_.Error->setAccessibleName(QStringLiteral("Error of floor vibration"));
  vibration_.Error->setStyleSheet(QStringLiteral("color: #b52b27"));
  status_layout->addWidget(vibration_.Tick);
  status_layout->addWidget(vibration_.Cross);
  status_layout->addWidget(vibration_.Error, 1);
  grid_->addWidget(status, row, colCount);
  ++row;

  grid_->setColumnStretch(colCount, 1);
  grid_->setRowStretch(row, 1);
  ClearResultsDisplay();
}

void TSummaryResultsPage::ShowVibration(const TVibrationSummary& Summary) {
  vibration_.Text->setText(ToQ(Summary.Text));
  vibration_.Tick->setVisible(Summary.IsChecked && Summary.IsOK);
  vibration_.Cross->setVisible(Summary.IsChecked && !Summary.IsOK);
  vibration_.Error->setVisible(Summary.IsChecked && !Summary.IsOK);
  vibration_.Error->setText(ToQ(Summary.ErrorText));
  vibration_.Error->setAccessibleName(Heard(QStringLiteral("Error of floor vibration"), ToQ(Summary.ErrorText)));
  vibration_.Cross->setAccessibleName(Heard(QStringLiteral("Not OK"), ToQ(Summary.ErrorText)));
  // A screen reader hears the outcome with the result.
  QString heard = QStringLiteral("Floor vibration: ") + ToQ(Summary.Text);
  if (Summary.IsChecked) heard += Summary.IsOK ? QStringLiteral(", passes") : QStringLiteral(", fails");
  vibration_.Text->setAccessibleName(heard);
}

void TSummaryResultsPage::SetBeamName(int Side, const QString& Name) {
  ShowCell(LineOf(Side).Cells[colBeam], Name);
}

void TSummaryResultsPage::SetSection(int Side, const QString& Grade, const QString& Name) {
  ShowCell(LineOf(Side).Cells[colGrade], Grade);
  ShowCell(LineOf(Side).Cells[colSection], Name);
}

void TSummaryResultsPage::SetLineVisible(int Side, bool IsVisible) {
  TLine& line = LineOf(Side);
  for (QLabel* cell : line.Cells) cell->setVisible(IsVisible);
  line.Error->parentWidget()->setVisible(IsVisible);
  line.Cells[colSection]->parentWidget()->setVisible(IsVisible);
}

bool TSummaryResultsPage::IsLineVisible(int Side) const { return !LineOf(Side).Cells[colBeam]->isHidden(); }

void TSummaryResultsPage::ShowSummaryPanel(const TBeamSummary& Summary) {
  TLine& line = LineOf(Summary.Side);
  SetSection(Summary.Side, ToQ(Summary.Grade), ToQ(Summary.Section));
  ShowCell(line.Cells[colStrength], ToQ(Summary.Strength));
  ShowCell(line.Cells[colStress], ToQ(Summary.Stress));
  ShowCell(line.Cells[colDeflection], ToQ(Summary.Deflection));
  ShowCell(line.Cells[colCamber], ToQ(Summary.CamberText));
  ShowCell(line.Cells[colConnectors], ToQ(Summary.ShearConnectorsText));
  line.Tick->setVisible(Summary.IsOK);
  line.Cross->setVisible(!Summary.IsOK);
  line.Error->setVisible(!Summary.IsOK);
  const QString error = Summary.IsOK ? QString() : ToQ(Summary.ErrorText);
  ShowCell(line.Error, error);
  line.Cross->setAccessibleName(Heard(QStringLiteral("Not OK"), error));
  ShowStepButtons(Summary.Side);
}

// Only a library section (one with a grade) has neighbours to step to.
void TSummaryResultsPage::ShowStepButtons(int Side) {
  TLine& line = LineOf(Side);
  const bool shown = !line.Cells[colGrade]->text().isEmpty();
  line.Up->setVisible(shown);
  line.Down->setVisible(shown);
}

void TSummaryResultsPage::ClearResultsDisplay() {
  for (int side = 0; side < 3; ++side) {
    TLine& line = LineOf(side);
    for (int c = colStrength; c < colCount; ++c) ShowCell(line.Cells[static_cast<size_t>(c)], QString());
    ShowCell(line.Error, QString());
    line.Cross->setAccessibleName(QStringLiteral("Not OK"));
    line.Tick->hide();
    line.Cross->hide();
    line.Error->hide();
    line.Up->hide();
    line.Down->hide();
  }
  vibration_.Text->clear();
  vibration_.Text->setAccessibleName(QStringLiteral("Floor vibration"));
  vibration_.Error->clear();
  vibration_.Error->setAccessibleName(QStringLiteral("Error of floor vibration"));
  vibration_.Cross->setAccessibleName(QStringLiteral("Not OK"));
  vibration_.Tick->hide();
  vibration_.Cross->hide();
  vibration_.Error->hide();
}

void TSummaryResultsPage::HideErrors() {
  for (TLine& line : lines_) {
    line.Cross->hide();
    line.Error->hide();
  }
  vibration_.Cross->hide();
  vibration_.Error->hide();
}

QString TSummaryResultsPage::Text(int Side, TColumn Column) const {
  return LineOf(Side).Cells[static_cast<size_t>(Column)]->text();
}
QString TSummaryResultsPage::ErrorText(int Side) const { return LineOf(Side).Error->text(); }
QString TSummaryResultsPage::VibrationText() const { return vibration_.Text->text(); }
QString TSummaryResultsPage::VibrationErrorText() const { return vibration_.Error->text(); }
bool TSummaryResultsPage::IsVibrationTickShown() const { return !vibration_.Tick->isHidden(); }
bool TSummaryResultsPage::IsVibrationCrossShown() const { return !vibration_.Cross->isHidden(); }
bool TSummaryResultsPage::IsTickShown(int Side) const { return !LineOf(Side).Tick->isHidden(); }
bool TSummaryResultsPage::IsCrossShown(int Side) const { return !LineOf(Side).Cross->isHidden(); }

QToolButton* TSummaryResultsPage::StepButton(int Side, int Step) const {
  return Step > 0 ? LineOf(Side).Up : LineOf(Side).Down;
}

bool TSummaryResultsPage::AreStepButtonsShown(int Side) const {
  return !LineOf(Side).Up->isHidden() && !LineOf(Side).Down->isHidden();
}

void TSummaryResultsPage::SetStepButtonsEnabled(bool IsEnabled) {
  for (TLine& line : lines_) {
    line.Up->setEnabled(IsEnabled);
    line.Down->setEnabled(IsEnabled);
  }
}
